#pragma once
// The main window's caption: the series name (GBK bytes), one blank and the product
// website address in parentheses.
#include <string>

std::string MainCaption();

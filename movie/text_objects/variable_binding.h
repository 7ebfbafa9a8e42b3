#pragma once
// Text fields bound to script variables by name ("score", "_root.a.b", "/a:b"; the path
// is taken from the field's parent clip). A field whose variable exists shows its value;
// a field with text and no variable yet creates it; what the user types or a script
// sets as the field's text goes to the variable. Each exchange takes whichever side
// changed since the last one.
#include "movie/script/machine.h"
#include "movie/timeline/field_node.h"

namespace movie::text_objects {

// Brings one field and its variable together.
void exchange(script::Machine& m, timeline::FieldNode& field);
// Every bound field under a node (the player does this each frame).
void exchangeAll(script::Machine& m, script::DisplayNode* root);
// The field's text changed by a script: it goes to the variable.
void pushFieldText(script::Machine& m, timeline::FieldNode& field);
// The text a field gives its variable: html text for html fields (UTF-8).
std::string boundText(const text::TextField& field);

}  // namespace movie::text_objects

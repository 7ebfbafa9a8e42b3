#pragma once
// The lesson catalogue as data: the record of one lesson, as the tree fill makes it.
#include <memory>

#include "app/core/chr_object.h"

// The record of one lesson: Index, then Sequence, then MovieUrl, as the tree fill sets them.
std::unique_ptr<TChrObject> MakeLessonRecord(int lesson, int sequence);

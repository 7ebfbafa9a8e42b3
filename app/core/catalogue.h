#pragma once
// The lesson catalogue as data: one record per lesson, made in lesson order with a running
// counter that starts at 1 on every call.
#include <memory>
#include <vector>

#include "app/core/chr_object.h"

// The record of one lesson: Index, then Sequence, then MovieUrl, as the tree fill sets them.
std::unique_ptr<TChrObject> MakeLessonRecord(int lesson, int sequence);

// Records for lessons 1..38 with Index, Sequence and MovieUrl set, in lesson order.
std::vector<std::unique_ptr<TChrObject>> MakeLessonRecords();

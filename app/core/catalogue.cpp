#include "app/core/catalogue.h"

#include "app/core/addresses.h"
#include "app/core/lesson_titles.h"

std::unique_ptr<TChrObject> MakeLessonRecord(int lesson, int sequence) {
    auto record = std::make_unique<TChrObject>();
    record->SetIndex(lesson);
    record->SetSequence(sequence);
    record->SetMovieUrl(LessonMovieAddress(lesson));
    return record;
}

std::vector<std::unique_ptr<TChrObject>> MakeLessonRecords() {
    std::vector<std::unique_ptr<TChrObject>> records;
    records.reserve(kLessonCount);
    int counter = 1;
    for (int i = 1; i <= kLessonCount; ++i) records.push_back(MakeLessonRecord(i, counter++));
    return records;
}

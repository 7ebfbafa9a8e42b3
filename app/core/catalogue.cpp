#include "app/core/catalogue.h"

#include "app/core/addresses.h"

std::unique_ptr<TChrObject> MakeLessonRecord(int lesson, int sequence) {
    auto record = std::make_unique<TChrObject>();
    record->SetIndex(lesson);
    record->SetSequence(sequence);
    record->SetMovieUrl(LessonMovieAddress(lesson));
    return record;
}

#pragma once
// The lesson record hung on each entry of the lesson tree: which lesson it is and where
// its movie lies on the content server.
#include <cstdint>
#include <string>

class TChrObject {
public:
    std::int32_t Index = 0;     // lesson number, 1 to 38
    std::string MovieUrl;       // full address of the lesson's movie (8-bit text)
    std::string Extra;          // kept empty; nothing fills or reads it
    std::int32_t Sequence = 0;  // running number under which the record was made

    void SetIndex(std::int32_t value) { Index = value; }
    void SetSequence(std::int32_t value) { Sequence = value; }
    void SetMovieUrl(const std::string& value) { MovieUrl = value; }
};

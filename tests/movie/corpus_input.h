#pragma once
// The scripted input of a corpus case (input.json: a list of events, "Wait" between
// frames) as swf-render's input events: what comes after k waits arrives before frame
// k + 1.
#include <string>
#include <vector>

#include "input_events.h"

namespace movie_test {

std::vector<swf_input::InputEvent> readCorpusInput(const std::string& json);

}  // namespace movie_test

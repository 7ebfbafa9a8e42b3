#pragma once
// Mouse and keyboard messages of the player window that reach the movie's text fields:
// a left press focuses a field (and the window takes the keyboard), dragging selects,
// typed characters and editing keys go to the focused field.
#include <windows.h>

#include "movie/player.h"

namespace hosts::flash {

// Returns whether the picture may have changed; the message is never consumed.
bool forwardTextInput(movie::Player& player, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace hosts::flash

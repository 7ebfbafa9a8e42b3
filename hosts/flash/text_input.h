#pragma once
// Mouse and keyboard messages of the player window that reach the movie: a left press
// focuses a text field (and the window takes the keyboard and the pointer until the
// release), dragging selects, typed characters and editing keys go to the focused
// field; buttons hear every move, press, release and key.
#include <windows.h>

#include "movie/player.h"

namespace hosts::flash {

// Returns whether the picture may have changed; the message is never consumed.
bool forwardTextInput(movie::Player& player, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace hosts::flash

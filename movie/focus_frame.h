#pragma once
// The frame around the button or clip that has the keyboard focus: yellow, two pixels
// wide, just outside the object's box on the screen.
#include "movie/render/render.h"
#include "movie/script/display_node.h"

namespace movie {

// Draws the frame around a box in stage twips, which toDevice takes to the surface.
void drawFocusFrame(render::Surface& surface, const script::Bounds& stageBox, const render::Matrix& toDevice);

}  // namespace movie

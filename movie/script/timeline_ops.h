#pragma once
// The actions that work on a clip's timeline and placement: frames, targets,
// properties by index, clip copies, dragging, and the getURL family.
#include <string>

#include "movie/script/action_reader.h"
#include "movie/script/activation.h"
#include "movie/script/machine.h"

namespace movie::script {

void timelineAction(Machine& m, Activation& act, const ActionRecord& r);
void getUrl2(Machine& m, Activation& act, const std::string& url, const std::string& target, uint8_t flags);
// Whether the frame (a 0-based index when zeroBased, else a frame number or label) has arrived.
bool frameLoaded(Machine& m, Activation& act, const Value& frame, bool zeroBased);
// Runs the actions of a frame given as number, label or "path:frame".
void callFrame(Machine& m, Activation& act, const Value& frame);
// Frame index (0-based) that a goto value names on node: number (1-based) or label;
// -1 when none.
int frameIndexOf(Machine& m, DisplayNode* node, const Value& frame);
// The rectangle a dragged clip's position is held in, from its edges in pixels (in
// either order), as twips.
Bounds dragLimits(Machine& m, const Value& left, const Value& top, const Value& right, const Value& bottom);

}  // namespace movie::script

#pragma once
// The order Tab moves the keyboard focus in: the buttons, the clips that take pointer
// events or ask for it (tabEnabled) and the input text fields on the stage; those with a
// tabIndex in its order when any has one, otherwise all from top to bottom and left to
// right. tabEnabled false leaves one out, tabChildren false a clip's children. The
// levels (roots, lowest first) are gathered together, as one stage.
#include <functional>
#include <vector>

#include "movie/script/machine.h"
#include "movie/timeline/display_list.h"

namespace movie {

std::vector<script::Object*> tabOrder(script::Machine& m, const std::vector<timeline::SpriteInstance*>& levels,
                                      const std::function<bool(timeline::SpriteInstance&)>& clickable);

}  // namespace movie

#pragma once
// Where a clip stands on the stage: its placement and its content (its children's
// coordinates, moved by its scroll rectangle) as matrices to stage twips.
#include "movie/timeline/display_list.h"

namespace movie::timeline {

// The clip's own coordinates to the stage (the root: its own matrix).
Matrix placementToStage(const SpriteInstance& sprite);
// The coordinates of the clip's children to the stage. The root's scroll rectangle is
// not applied, as the renderer does not apply it.
Matrix contentToStage(const SpriteInstance& sprite);

}  // namespace movie::timeline

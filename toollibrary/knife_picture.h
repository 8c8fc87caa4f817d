#pragma once

#include "geometry/contour_drawing.h"
#include "toollibrary/knife_file.h"

#include <optional>
#include <string>
#include <vector>

namespace torvex {

// The knife pictures of the library window and the knife popup.
inline constexpr int KnifePictureWidth = 204;
inline constexpr int KnifePictureHeight = 150;

// Clears a knife picture: a white rectangle one pixel beyond each edge.
void ClearKnifePicture(Canvas& canvas);

// Clears the picture (a white rectangle one pixel beyond each edge) and draws the contour records
// with the frame of `state`: a standard knife filled and dimensioned, any other as its outline.
void DrawKnifePicture(DrawingState& state, Canvas& canvas, const std::string& kind,
                      const std::vector<std::string>& contour);

// The last line record whose pixel box, widened by 4 pixels on every side, holds the pointer.
std::optional<Segment> SegmentUnderPointer(const DrawingFrame& frame,
                                           const std::vector<std::string>& contour, int x, int y);

// Dimensions a line record as the hover does: vertical when its ends share X, horizontal when
// they share Y, oblique otherwise.
void DimensionSegment(DrawingState& state, Canvas& canvas, const Segment& segment);

// The pointer moved to (x, y) over a knife's picture. A profiled knife is drawn again, the line
// under the pointer dimensioned and remembered in `hoverSegment`; a knife of another kind is left
// alone. Returns whether the picture was drawn.
bool DrawHoverDimensioning(DrawingState& state, Canvas& canvas, const KnifeFileFields& knife,
                           std::optional<Segment>& hoverSegment, int x, int y);

} // namespace torvex

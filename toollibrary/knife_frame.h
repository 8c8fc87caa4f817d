#pragma once

#include "geometry/contour_drawing.h"
#include "toollibrary/knife_file.h"

#include <string>
#include <vector>

namespace torvex {

// Fits the frame so that a standard knife's larger extent spans FramePixels and its middle falls
// on pixel 101 of the 204-pixel picture. Throws LibraryError when the knife has no size.
void FitStandardFrame(DrawingFrame& frame, const StandardKnifeValues& values);

// Fits the frame to the box of a profiled knife's line records, a box that always reaches the
// axes from their positive side. Without any line record the frame stays as it was. Throws
// ConversionError for a bad value and ArithmeticError for a box without size; the frame stays
// as it was then too.
void FitProfiledFrame(DrawingFrame& frame, const std::vector<std::string>& contour);

// The preview's fitting: a standard knife by its values, a profiled one by its contour, a knife
// of any other kind leaves the frame as it was.
void FitKnifeFrame(DrawingFrame& frame, const KnifeFileFields& knife);

} // namespace torvex

#pragma once

#include "geometry/element.h"
#include "geometry/point_list.h"
#include "tests/support/nc_block_parser.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvex::testing {

// Checks that hold for the output of every strategy on any profile.

// Whether p lies inside the part bounded by its discretised profile (points ordered by x, from
// the axis at one end to the axis at the other) by more than `tolerance`.
bool IsInsidePart(const TPctList& partPoints, const TPoint& p, double tolerance = 1e-6);

// The distance from p to the nearest line or arc of a profile, arcs taken as true circles.
double DistanceToProfile(const Tobjects& elements, const TPoint& p);

// Points along a contour: the ends of every element, ten steps along every line and the preview
// points of every arc.
std::vector<TPoint> PointsAlong(const Tobjects& contour);

// Every block reads back (ParseNcBlock) in one of the shapes the strategies write, its numbers
// written "0.###" and nothing else ("nan", "inf", a comma), and block numbers rise.
::testing::AssertionResult BlocksAreWellFormed(const TToolpath& toolpath);

// Each arc block describes, from the end of the move before its preview points, a circle of its R
// through its end, and the preview points (its other moves) lie on that circle on the side its
// G word says; the centre the block carries lies at R from all of them.
::testing::AssertionResult ArcBlocksMatchPreview(const TToolpath& toolpath);

// Path times never decrease and every step is timed at its feed.
::testing::AssertionResult TimesAreConsistent(const TPctList& path);

// No move of the path, end or straight way there, lies inside the part.
::testing::AssertionResult StaysOutsidePart(const TPctList& path, const TPctList& partPoints);

// Every block of the toolpath with its block number and text, one a line, for failure messages.
std::string Listing(const TToolpath& toolpath);

} // namespace torvex::testing

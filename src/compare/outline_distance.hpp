#pragma once
// How far an outline strays from another: the largest distance from any
// point of it (not only its vertices) to the nearest of a set of segments.
//
// Along one segment of the outline the distance to each target segment is
// convex, so the distance to the nearest of them is greatest at an end or
// where the nearest target segment changes. Each piece of the outline is
// bounded by the two target segments nearest its ends: the largest of the
// smaller of those two distances is found in closed form; if the index
// finds nothing nearer at that point the piece is settled, otherwise it is
// split there with the segment found. Pieces are taken largest bound first
// and dropped once they cannot beat what is known, so the work grows with
// the outline's vertices and the places the nearest segment changes, not
// with the outline's length in metres.

#include <vector>

#include "compare/segment_index.hpp"

namespace vadrel::compare {

// The largest distance from a point of `outline` to the nearest segment of
// `target`; 0 when either is empty. Not finite when a coordinate is too
// large for its distances to be computed.
double farthestPoint(const std::vector<Segment>& outline, const SegmentIndex& target);

// The Hausdorff distance between two outlines; 0 when either is empty.
double hausdorff(const SegmentIndex& a, const SegmentIndex& b);

}  // namespace vadrel::compare

#pragma once
// The segments of an outline in a packed R-tree, asked for the one nearest
// a point. Built once in n log n, each question takes about log n: the
// comparison's distances ask it once per vertex and per place the nearest
// segment changes, never pairwise.

#include <cstdint>
#include <vector>

#include "core/geometry.hpp"

namespace vadrel::compare {

struct Segment {
    Punto a, b;
};

// The distance from p to the segment (its nearer end beyond either end).
double distance(Punto p, const Segment& s);

class SegmentIndex {
public:
    explicit SegmentIndex(std::vector<Segment> segments);

    struct Nearest {
        double distance = 0;
        std::size_t segment = 0;  // an index into segments()
    };
    // The segment nearest p, the first found among equals. The index must
    // not be empty. `hint`, a segment likely near (the one nearest a point
    // close by), only spares work.
    Nearest nearest(Punto p, std::size_t hint = 0) const;

    const std::vector<Segment>& segments() const { return segments_; }
    bool empty() const { return segments_.empty(); }

private:
    void search(Punto p, std::size_t level, std::size_t node, Nearest& best) const;

    struct Box {
        double minX, minY, maxX, maxY;
    };
    struct Node {
        Box box;
        std::uint32_t first, count;  // children in the level below, or segments
    };
    // levels_[0] holds the leaves over segments_; the last level is the root.
    std::vector<Segment> segments_;
    std::vector<std::vector<Node>> levels_;
};

}  // namespace vadrel::compare

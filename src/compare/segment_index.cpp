#include "compare/segment_index.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vadrel::compare {

namespace {

// Children per node: small enough that a leaf is a few cache lines.
constexpr std::size_t kFanout = 8;

struct Entry {
    double minX, minY, maxX, maxY;
    double cx() const { return (minX + maxX) / 2; }
    double cy() const { return (minY + maxY) / 2; }
};

// Sort-tile-recursive packing: vertical slices by x, each sorted by y, so
// that every run of kFanout consecutive entries is a compact tile.
std::vector<std::uint32_t> packedOrder(const std::vector<Entry>& entries)
{
    struct Keyed {
        double x, y;
        std::uint32_t index;
    };
    std::vector<Keyed> keys(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys[i] = {entries[i].cx(), entries[i].cy(), static_cast<std::uint32_t>(i)};
    const std::size_t tiles = (entries.size() + kFanout - 1) / kFanout;
    const auto slices = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(tiles))));
    const std::size_t perSlice = slices * kFanout;
    std::sort(keys.begin(), keys.end(), [](const Keyed& a, const Keyed& b) { return a.x < b.x; });
    for (std::size_t from = 0; from < keys.size(); from += perSlice) {
        const auto end = keys.begin() + static_cast<std::ptrdiff_t>(std::min(keys.size(), from + perSlice));
        std::sort(keys.begin() + static_cast<std::ptrdiff_t>(from), end,
                  [](const Keyed& a, const Keyed& b) { return a.y < b.y; });
    }
    std::vector<std::uint32_t> order(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].index;
    return order;
}

double squared(double v) { return v * v; }

}  // namespace

double distance(Punto p, const Segment& s)
{
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double px = p.x - s.a.x, py = p.y - s.a.y;
    const double length2 = dx * dx + dy * dy;
    const double along = length2 > 0 ? (px * dx + py * dy) / length2 : 0;
    // The ends themselves, not a + 1 * (b - a), which rounding may move.
    if (along <= 0) return std::sqrt(px * px + py * py);
    if (along >= 1) return std::sqrt(squared(p.x - s.b.x) + squared(p.y - s.b.y));
    return std::abs(px * dy - py * dx) / std::sqrt(length2);
}

SegmentIndex::SegmentIndex(std::vector<Segment> segments)
{
    if (segments.empty()) return;
    std::vector<Entry> entries;
    entries.reserve(segments.size());
    for (const Segment& s : segments)
        entries.push_back({std::min(s.a.x, s.b.x), std::min(s.a.y, s.b.y), std::max(s.a.x, s.b.x),
                           std::max(s.a.y, s.b.y)});
    // The leaves: the segments stored in packed order, kFanout to a leaf.
    std::vector<std::uint32_t> order = packedOrder(entries);
    segments_.reserve(segments.size());
    for (std::uint32_t i : order) segments_.push_back(segments[i]);
    std::vector<Entry> below;
    below.reserve(entries.size());
    for (std::uint32_t i : order) below.push_back(entries[i]);

    for (;;) {
        std::vector<Node> level;
        level.reserve((below.size() + kFanout - 1) / kFanout);
        for (std::size_t from = 0; from < below.size(); from += kFanout) {
            const std::size_t end = std::min(below.size(), from + kFanout);
            Box box{below[from].minX, below[from].minY, below[from].maxX, below[from].maxY};
            for (std::size_t i = from + 1; i < end; ++i) {
                box.minX = std::min(box.minX, below[i].minX);
                box.minY = std::min(box.minY, below[i].minY);
                box.maxX = std::max(box.maxX, below[i].maxX);
                box.maxY = std::max(box.maxY, below[i].maxY);
            }
            level.push_back({box, static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(end - from)});
        }
        levels_.push_back(std::move(level));
        if (levels_.back().size() == 1) break;
        // Pack this level's nodes in turn; their children stay where they are.
        std::vector<Entry> nodes;
        nodes.reserve(levels_.back().size());
        for (const Node& n : levels_.back()) nodes.push_back({n.box.minX, n.box.minY, n.box.maxX, n.box.maxY});
        order = packedOrder(nodes);
        std::vector<Node> packed;
        packed.reserve(order.size());
        below.clear();
        for (std::uint32_t i : order) {
            packed.push_back(levels_.back()[i]);
            below.push_back(nodes[i]);
        }
        levels_.back() = std::move(packed);
    }
}

SegmentIndex::Nearest SegmentIndex::nearest(Punto p, std::size_t hint) const
{
    // The hint's distance bounds the search from the start.
    Nearest best{distance(p, segments_[hint < segments_.size() ? hint : 0]), hint < segments_.size() ? hint : 0};
    if (std::isnan(best.distance)) best.distance = std::numeric_limits<double>::infinity();
    search(p, levels_.size() - 1, 0, best);
    return best;
}

// Depth first, nearer boxes first, skipping any box farther than the best
// segment found.
void SegmentIndex::search(Punto p, std::size_t level, std::size_t node, Nearest& best) const
{
    const Node& n = levels_[level][node];
    if (level == 0) {
        for (std::uint32_t i = n.first; i < n.first + n.count; ++i)
            if (const double d = distance(p, segments_[i]); d < best.distance) best = {d, i};
        return;
    }
    struct Child {
        double distance2;
        std::uint32_t node;
    };
    Child children[kFanout];
    std::size_t count = 0;
    for (std::uint32_t i = n.first; i < n.first + n.count; ++i) {
        const Box& b = levels_[level - 1][i].box;
        const double dx = std::max({b.minX - p.x, 0.0, p.x - b.maxX});
        const double dy = std::max({b.minY - p.y, 0.0, p.y - b.maxY});
        Child c{dx * dx + dy * dy, i};
        std::size_t k = count++;
        for (; k > 0 && children[k - 1].distance2 > c.distance2; --k) children[k] = children[k - 1];
        children[k] = c;
    }
    for (std::size_t k = 0; k < count; ++k) {
        if (!(children[k].distance2 < best.distance * best.distance)) break;
        search(p, level - 1, children[k].node, best);
    }
}

}  // namespace vadrel::compare

#include "check/ring_sweep.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace vadrel::check {

namespace {

bool before(const Punto& p, const Punto& q) { return p.x < q.x || (p.x == q.x && p.y < q.y); }
bool same(const Punto& p, const Punto& q) { return p.x == q.x && p.y == q.y; }

// The turn a → b → c: 1 to the left, -1 to the right, 0 when rounding
// could have given either sign (the first, filtered stage of the usual
// robust test; exact zero included).
int turn(const Punto& a, const Punto& b, const Punto& c)
{
    const double left = (a.x - c.x) * (b.y - c.y);
    const double right = (a.y - c.y) * (b.x - c.x);
    const double det = left - right;
    const double bound = 3.3306690738754716e-16 * (std::fabs(left) + std::fabs(right));
    if (det > bound) return 1;
    if (det < -bound) return -1;
    return 0;
}

struct Edge {
    Punto a, b;  // a comes first in the sweep (smaller x, then smaller y)
    std::size_t first = 0, count = 0;  // the edges of its ring: [first, first + count)
};

class Sweep {
public:
    explicit Sweep(std::vector<Edge> edges) : edges_(std::move(edges)), status_(Below{this}) {}

    Simplicity run()
    {
        struct Event {
            Punto at;
            bool start;
            std::size_t edge;
        };
        std::vector<Event> events;
        events.reserve(2 * edges_.size());
        for (std::size_t i = 0; i < edges_.size(); ++i) {
            events.push_back({edges_[i].a, true, i});
            events.push_back({edges_[i].b, false, i});
        }
        // At one point, edges end before others start there: a ring's
        // neighbours passing through a vertex are never side by side.
        std::sort(events.begin(), events.end(), [](const Event& l, const Event& r) {
            if (!same(l.at, r.at)) return before(l.at, r.at);
            if (l.start != r.start) return !l.start;
            return l.edge < r.edge;
        });
        std::vector<std::set<std::size_t, Below>::iterator> where(edges_.size());
        for (const Event& e : events) {
            if (e.start) {
                const auto it = status_.insert(e.edge).first;
                where[e.edge] = it;
                if (unsure_) return Simplicity::Unsure;
                if (it != status_.begin() && meet(*std::prev(it), e.edge)) break;
                if (std::next(it) != status_.end() && meet(e.edge, *std::next(it))) break;
            } else {
                const auto it = where[e.edge];
                const auto next = std::next(it);
                const bool both = it != status_.begin() && next != status_.end();
                const std::size_t below = both ? *std::prev(it) : 0;
                status_.erase(it);
                if (both && meet(below, *next)) break;
            }
        }
        if (unsure_) return Simplicity::Unsure;
        return crossing_ ? Simplicity::Crosses : Simplicity::Simple;
    }

    // Where the two edges found crossing cross.
    Punto crossing() const
    {
        const Edge& e = edges_[crossed_.first];
        const Edge& f = edges_[crossed_.second];
        const double ex = e.b.x - e.a.x, ey = e.b.y - e.a.y, fx = f.b.x - f.a.x, fy = f.b.y - f.a.y;
        const double t = ((f.a.x - e.a.x) * fy - (f.a.y - e.a.y) * fx) / (ex * fy - ey * fx);
        return {e.a.x + t * ex, e.a.y + t * ey};
    }

private:
    // The order of the edges along the sweep line, from below.
    struct Below {
        Sweep* sweep;
        bool operator()(std::size_t i, std::size_t j) const { return i != j && sweep->below(i, j); }
    };

    bool below(std::size_t i, std::size_t j)
    {
        const Edge& e = edges_[i];
        const Edge& f = edges_[j];
        int side;  // of the later edge against the earlier one's line
        if (same(e.a, f.a))
            side = turn(f.a, f.b, e.b);
        else if (before(f.a, e.a))
            side = turn(f.a, f.b, e.a);
        else
            side = -turn(e.a, e.b, f.a);
        if (side == 0) {
            unsure_ = true;
            return i < j;
        }
        return side < 0;
    }

    bool adjacent(std::size_t i, std::size_t j) const
    {
        const Edge& e = edges_[i];
        if (edges_[j].first != e.first) return false;
        const std::size_t a = i - e.first, b = j - e.first;
        return (a + 1) % e.count == b || (b + 1) % e.count == a;
    }

    // Whether two edges side by side meet; sets unsure_ when too close to
    // tell.
    bool meet(std::size_t i, std::size_t j)
    {
        const Edge& e = edges_[i];
        const Edge& f = edges_[j];
        if (adjacent(i, j)) {
            // They share one vertex; they meet elsewhere only along a line.
            const Punto& shared = same(e.a, f.a) || same(e.a, f.b) ? e.a : e.b;
            const Punto& p = same(shared, e.a) ? e.b : e.a;
            const Punto& q = same(shared, f.a) ? f.b : f.a;
            if (turn(shared, p, q) == 0) unsure_ = true;
            return unsure_;
        }
        const int o1 = turn(e.a, e.b, f.a), o2 = turn(e.a, e.b, f.b);
        const int o3 = turn(f.a, f.b, e.a), o4 = turn(f.a, f.b, e.b);
        if ((o1 != 0 && o1 == o2) || (o3 != 0 && o3 == o4)) return false;
        if (o1 == 0 || o2 == 0 || o3 == 0 || o4 == 0) {
            unsure_ = true;
            return true;
        }
        crossing_ = true;
        crossed_ = {i, j};
        return true;
    }

    std::vector<Edge> edges_;
    std::set<std::size_t, Below> status_;
    bool unsure_ = false;
    bool crossing_ = false;
    std::pair<std::size_t, std::size_t> crossed_;
};

}  // namespace

Simplicity ringsSimplicity(const std::vector<const std::vector<Punto>*>& rings, Punto* where)
{
    std::vector<Edge> edges;
    std::vector<Punto> vertices;
    for (const std::vector<Punto>* points : rings) {
        std::vector<Punto> v;
        v.reserve(points->size());
        for (const Punto& p : *points)
            if (v.empty() || !same(v.back(), p)) v.push_back(p);
        while (v.size() > 1 && same(v.front(), v.back())) v.pop_back();
        if (v.size() < 3) return Simplicity::Unsure;
        const std::size_t first = edges.size();
        for (std::size_t i = 0; i < v.size(); ++i) {
            const Punto& p = v[i];
            const Punto& q = v[(i + 1) % v.size()];
            edges.push_back(before(p, q) ? Edge{p, q, first, v.size()} : Edge{q, p, first, v.size()});
        }
        vertices.insert(vertices.end(), v.begin(), v.end());
    }
    // A vertex met twice: the rings touch there.
    std::sort(vertices.begin(), vertices.end(), before);
    if (std::adjacent_find(vertices.begin(), vertices.end(), same) != vertices.end()) return Simplicity::Touches;

    Sweep sweep(std::move(edges));
    const Simplicity found = sweep.run();
    if (found == Simplicity::Crosses && where) *where = sweep.crossing();
    return found;
}

Simplicity ringSimplicity(const std::vector<Punto>& points, Punto* where) { return ringsSimplicity({&points}, where); }

bool zigzags(const std::vector<Punto>& points)
{
    // GEOS groups edges into runs heading into one quadrant; a ring of
    // short runs leaves its index little to prune.
    constexpr std::size_t kFewEdges = 64, kShortRun = 16;
    if (points.size() < kFewEdges) return false;
    auto quadrant = [&](std::size_t i) {
        const double dx = points[i + 1].x - points[i].x, dy = points[i + 1].y - points[i].y;
        return (dx >= 0 ? 0 : 1) + (dy >= 0 ? 0 : 2);
    };
    std::size_t runs = 1;
    for (std::size_t i = 1; i + 1 < points.size(); ++i) runs += quadrant(i) != quadrant(i - 1);
    return runs * kShortRun > points.size();
}

}  // namespace vadrel::check

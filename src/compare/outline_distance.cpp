#include "compare/outline_distance.hpp"

#include <algorithm>
#include <cmath>
#include <queue>

namespace vadrel::compare {

namespace {

using Nearest = SegmentIndex::Nearest;

Punto pointAt(const Segment& s, double t) { return {s.a.x + t * (s.b.x - s.a.x), s.a.y + t * (s.b.y - s.a.y)}; }

// The square of the distance from a point of the outline's segment (at t,
// 0 at its start, 1 at its end) to a target segment, a t² + b t + c on
// [from, to].
struct Piece {
    double from, to, a, b, c;
};

// The pieces over [t0, t1]: beyond the target segment's start, alongside
// it, and beyond its end, as far as each is crossed. At most three.
std::size_t piecesOf(const Segment& along, const Segment& s, double t0, double t1, Piece* out)
{
    const double dx = along.b.x - along.a.x, dy = along.b.y - along.a.y;
    const double vx = s.b.x - s.a.x, vy = s.b.y - s.a.y;
    const double wx = along.a.x - s.a.x, wy = along.a.y - s.a.y;
    const double vv = vx * vx + vy * vy, dd = dx * dx + dy * dy;
    auto fromPoint = [&](double px, double py, double from, double to) {
        // px, py: the outline's start less the point.
        return Piece{from, to, dd, 2 * (px * dx + py * dy), px * px + py * py};
    };
    if (vv == 0) {
        out[0] = fromPoint(wx, wy, t0, t1);
        return 1;
    }
    // The foot's place along s, times vv, and the cross product with s:
    // both linear in t.
    const double k0 = wx * vx + wy * vy, k1 = dx * vx + dy * vy;
    const double m0 = vx * wy - vy * wx, m1 = vx * dy - vy * dx;
    double cuts[4] = {t0, 0, 0, 0};
    std::size_t n = 1;
    if (k1 != 0)
        for (const double level : {0.0, vv})
            if (const double t = (level - k0) / k1; t > t0 && t < t1) cuts[n++] = t;
    if (n == 3 && cuts[1] > cuts[2]) std::swap(cuts[1], cuts[2]);
    cuts[n] = t1;
    for (std::size_t i = 0; i < n; ++i) {
        const double from = cuts[i], to = cuts[i + 1];
        const double foot = k0 + k1 * (from + to) / 2;
        if (foot <= 0)
            out[i] = fromPoint(wx, wy, from, to);
        else if (foot >= vv)
            out[i] = fromPoint(along.a.x - s.b.x, along.a.y - s.b.y, from, to);
        else
            out[i] = Piece{from, to, m1 * m1 / vv, 2 * m0 * m1 / vv, m0 * m0 / vv};
    }
    return n;
}

// The roots of a t² + b t + c in [from, to], added to `out`.
void rootsIn(double a, double b, double c, double from, double to, std::vector<double>& out)
{
    const double scale = std::max({std::abs(a), std::abs(b), std::abs(c)});
    if (scale == 0) return;  // the same function on both sides: no crossing to find
    auto keep = [&](double t) {
        if (t >= from && t <= to) out.push_back(t);
    };
    if (std::abs(a) <= 1e-12 * scale) {
        if (b != 0) keep(-c / b);
        return;
    }
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return;  // the two never meet here
    const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
    keep(q / a);
    if (q != 0) keep(c / q);
}

// A stretch [t0, t1] of one outline segment, with the target segments
// nearest its ends and the most the distance can reach over it.
struct Span {
    double bound = 0, at = 0;  // the bound, and where along the segment it is reached
    double t0 = 0, t1 = 0;
    Nearest n0, n1;
    std::size_t segment = 0;
    bool operator<(const Span& o) const { return bound < o.bound; }
};

// Over the span the distance is at most the smaller of the distances to
// n0's and n1's segments; the largest of that smaller one is at an end or
// where the two are equal.
void bound(Span& span, const Segment& along, const SegmentIndex& target, std::vector<double>& candidates)
{
    span.bound = std::max(span.n0.distance, span.n1.distance);
    span.at = span.n0.distance >= span.n1.distance ? span.t0 : span.t1;
    if (span.n0.segment == span.n1.segment) return;  // one convex distance: largest at an end
    const Segment& s0 = target.segments()[span.n0.segment];
    const Segment& s1 = target.segments()[span.n1.segment];
    Piece p0[3], p1[3];
    const std::size_t n0 = piecesOf(along, s0, span.t0, span.t1, p0);
    const std::size_t n1 = piecesOf(along, s1, span.t0, span.t1, p1);
    candidates.clear();
    for (std::size_t i = 0, j = 0; i < n0 && j < n1;) {
        const double from = std::max(p0[i].from, p1[j].from), to = std::min(p0[i].to, p1[j].to);
        if (from < to) {
            candidates.push_back(from);
            rootsIn(p0[i].a - p1[j].a, p0[i].b - p1[j].b, p0[i].c - p1[j].c, from, to, candidates);
        }
        if (p0[i].to <= p1[j].to)
            ++i;
        else
            ++j;
    }
    for (const double t : candidates) {
        if (t <= span.t0 || t >= span.t1) continue;
        const Punto p = pointAt(along, t);
        const double d = std::min(distance(p, s0), distance(p, s1));
        if (d > span.bound || !std::isfinite(d)) {
            span.bound = d;
            span.at = t;
        }
    }
}

double largestCoordinate(const std::vector<Segment>& segments, double largest)
{
    for (const Segment& s : segments)
        largest = std::max({largest, std::abs(s.a.x), std::abs(s.a.y), std::abs(s.b.x), std::abs(s.b.y)});
    return largest;
}

}  // namespace

double farthestPoint(const std::vector<Segment>& outline, const SegmentIndex& target)
{
    if (outline.empty() || target.empty()) return 0;
    // Far below the centimetre the figures are printed to, and above the
    // rounding of coordinates this large.
    const double tolerance =
        1e-6 + 1e-13 * largestCoordinate(target.segments(), largestCoordinate(outline, 0));

    // Every vertex first: the best known so far drops most spans at once.
    std::vector<Nearest> ends(2 * outline.size());
    double best = 0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Segment& s = outline[i];
        const bool joined = i > 0 && outline[i - 1].b.x == s.a.x && outline[i - 1].b.y == s.a.y;
        const std::size_t near = i > 0 ? ends[2 * i - 1].segment : 0;
        ends[2 * i] = joined ? ends[2 * i - 1] : target.nearest(s.a, near);
        ends[2 * i + 1] = target.nearest(s.b, ends[2 * i].segment);
        for (const Nearest& n : {ends[2 * i], ends[2 * i + 1]}) {
            if (!std::isfinite(n.distance)) return n.distance;
            best = std::max(best, n.distance);
        }
    }

    std::vector<double> candidates;
    std::priority_queue<Span> open;
    double unmeasured = 0;  // a bound that is no finite number: the answer
    auto consider = [&](Span span) {
        const Segment& along = outline[span.segment];
        bound(span, along, target, candidates);
        if (!std::isfinite(span.bound)) {
            unmeasured = span.bound;
            return false;
        }
        // A stretch shorter than the tolerance is settled by its ends.
        const double length = (span.t1 - span.t0) * std::hypot(along.b.x - along.a.x, along.b.y - along.a.y);
        if (length < tolerance)
            span.bound = std::min(span.bound, std::max(span.n0.distance, span.n1.distance) + length / 2);
        if (span.bound > best + tolerance) open.push(span);
        return true;
    };
    for (std::size_t i = 0; i < outline.size(); ++i)
        if (!consider({0, 0, 0, 1, ends[2 * i], ends[2 * i + 1], i})) return unmeasured;
    ends.clear();
    ends.shrink_to_fit();

    // Each split finds a segment nearer than the two known; a few per
    // change of the nearest segment. The allowance only keeps rounding from
    // splitting forever: past it the bound itself is the answer.
    std::size_t allowance = 64 * (outline.size() + target.segments().size()) + 1024;
    while (!open.empty()) {
        const Span span = open.top();
        if (span.bound <= best + tolerance) break;
        open.pop();
        if (allowance-- == 0) return span.bound;
        const Nearest n = target.nearest(pointAt(outline[span.segment], span.at), span.n0.segment);
        if (!std::isfinite(n.distance)) return n.distance;
        best = std::max(best, n.distance);
        if (n.distance >= span.bound - tolerance) continue;  // the bound is reached: nothing larger here
        if (!consider({0, 0, span.t0, span.at, span.n0, n, span.segment}) ||
            !consider({0, 0, span.at, span.t1, n, span.n1, span.segment}))
            return unmeasured;
    }
    return best;
}

double hausdorff(const SegmentIndex& a, const SegmentIndex& b)
{
    if (a.empty() || b.empty()) return 0;
    const double there = farthestPoint(a.segments(), b);
    if (!std::isfinite(there)) return there;
    const double back = farthestPoint(b.segments(), a);
    return std::isfinite(back) ? std::max(there, back) : back;
}

}  // namespace vadrel::compare

#pragma once
// How the previews fit coordinates into their picture: the box's longer
// side spans 350 pixels, its centre falls on pixel (195, 195), north up.

#include <limits>
#include <string>
#include <utility>

namespace vadrel {

// v rounded to the nearest whole number, halves to the even neighbour.
double redondeoPar(double v);
// The same as an int; values beyond the int range are held at its ends.
int redondeaPar(double v);

// A whole number kept as decimal text in the previews' hidden tables.
int enteroDeTexto(const std::string& text);

class Escala {
public:
    // Widens the box with one vertex.
    void anade(double x, double y);

    // False while the box has no extent (no vertex, one, or all equal):
    // nothing can be scaled, and the picture stays blank.
    bool valida() const;

    // The pixel of a vertex.
    std::pair<int, int> pixel(double x, double y) const;
    // The pixel of the box's centre, where the labels of one polygon go.
    std::pair<int, int> centro() const;

private:
    double lado() const;  // R: the longer extent
    double hx() const;
    double hy() const;
    int offX() const;
    int offY() const;

    // Starting at the infinities, not at 99999999 and 0: a box held at 0
    // would reach from local coordinates below zero up to the origin.
    double minX_ = std::numeric_limits<double>::infinity(), minY_ = minX_;
    double maxX_ = -minX_, maxY_ = -minX_;
};

}  // namespace vadrel

#pragma once
// Several rings in one picture, each in its own colour: the grouping's
// parcels and a building's constructions.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/number_format.hpp"
#include "preview/canvas.hpp"

namespace vadrel {

// The colour of the n-th ring drawn (from 1): n x 34986 as a 24-bit value,
// low byte red; from the 480th ring on it wraps within the 24 bits.
std::uint32_t colorAnillo(std::size_t n);

struct Anillos {
    std::vector<const std::string*> x, y;  // the vertices' texts, ring after ring
    std::vector<std::size_t> inicio;       // the first vertex of each ring, ascending
};

struct AnillosDibujados {
    std::vector<std::pair<int, int>> pixel;   // one per vertex
    std::vector<std::pair<int, int>> centro;  // one per ring: the centre of its pixel box
    bool dibujados = false;                   // false: no extent, a blank picture
};

// Clears the picture and draws every ring scaled as one polygon would be.
// A text that is no number throws its Failure before anything is drawn.
AnillosDibujados dibujaAnillos(Canvas& canvas, const Anillos& anillos, const NumberFormat& fmt);

}  // namespace vadrel

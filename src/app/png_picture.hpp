#pragma once
// A preview's picture for a program without a screen (the batch command):
// drawn like the desktop's and given back as the bytes of a PNG file. The
// header is free of Qt so that its users stay so.

#include <memory>
#include <optional>
#include <string>

#include "preview/canvas.hpp"

namespace vadrel::app {

class PngPicture {
public:
    // Text needs fonts, and fonts a GUI application: one without a screen is
    // started when none runs, and Qt's own notices are kept off standard error.
    explicit PngPicture(int side = kLadoDibujo);
    ~PngPicture();

    Canvas& canvas();
    // Nothing when the picture cannot be encoded.
    std::optional<std::string> png() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vadrel::app

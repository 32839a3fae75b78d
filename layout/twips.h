#pragma once
// The twip grid the windows are laid out on, without widgets: twips and
// pixels, boxes, sizes and the width every poster is shown at.

#include <QtGlobal>
#include <optional>

// The larger of two signed 16-bit integers.
qint16 maxInt16(qint16 a, qint16 b);

// Nearest integer, halves to even; nullopt when the result leaves the
// signed 16-bit range (or the value is not a number).
std::optional<qint16> toInt16(double value);

// Screen sizes are computed in twips; Qt takes device-independent pixels.
constexpr int kTwipsPerPixel = 15;
int twipsToPx(int twips);
int pxToTwips(int px);

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Box &) const = default;
};

struct Size {
    int width = 0, height = 0;
};

// Every poster, in the editor and in the viewer, is shown this wide.
constexpr int kPosterWidth = 1935;

// The height a poster of the natural size given is shown at, kPosterWidth
// wide, halves to even. nullopt for an empty picture, or a shown height
// outside the 16-bit range; the natural size itself may be larger.
std::optional<qint16> scaledPosterHeight(Size natural);

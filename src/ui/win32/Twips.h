#pragma once

namespace galemend {

// The window is designed in twips: 1440 to the inch, 15 to the pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;

// A rectangle as designed: left, top, width and height in twips.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The same rectangle in pixels at some number of dots per inch.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Twips to pixels at dpi, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);
PixelRect ToPixels(const TwipRect& rect, int dpi);

// A font's height in pixels (positive, the character height) for a size given in hundredths
// of a point, at dpi.
int PointsToPixels(int hundredthsOfPoint, int dpi);

}  // namespace galemend

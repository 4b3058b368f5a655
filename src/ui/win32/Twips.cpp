#include "ui/win32/Twips.h"

namespace galemend {

namespace {
// a * b / c rounded to the nearest integer, halves away from zero.
int ScaleRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}
}  // namespace

int TwipsToPixels(int twips, int dpi) {
    return ScaleRounded(twips, dpi, kTwipsPerInch);
}

PixelRect ToPixels(const TwipRect& rect, int dpi) {
    return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
            TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi)};
}

int PointsToPixels(int hundredthsOfPoint, int dpi) {
    return ScaleRounded(hundredthsOfPoint, dpi, 72 * 100);
}

}  // namespace galemend

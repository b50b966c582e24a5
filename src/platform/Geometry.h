#pragma once

#include <QRect>

// Window layouts are kept in twips (1440 to the inch); at 96 dpi a pixel is
// 15 twips.
namespace Geometry
{
constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (twips >= 0 ? twips + TwipsPerPixel / 2 : twips - TwipsPerPixel / 2) / TwipsPerPixel;
}

inline QRect twipRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
} // namespace Geometry

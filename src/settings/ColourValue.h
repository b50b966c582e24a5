#pragma once

#include <QtGlobal>

// 32-bit colour values as the settings file keeps them: 0x00BBGGRR for an
// explicit colour (red in the low byte, so pure red is 255), 0x80000000 plus n
// for the system colour n. Being signed, system colours are negative numbers.
// The conversions to QColor live in settings/ui/ColourValueGui.h.
namespace ColourValue
{
constexpr qint32 systemColour(int index)
{
    return static_cast<qint32>(0x80000000u | static_cast<quint32>(index & 0xFF));
}

constexpr qint32 WindowBackground = systemColour(0x05); // -2147483643
constexpr qint32 ButtonFace = systemColour(0x0F);       // -2147483633
constexpr qint32 Red = 255;

constexpr bool isSystemColour(qint32 value)
{
    return static_cast<quint32>(value) >= 0x80000000u;
}
// The system colour's number (its low byte).
constexpr int systemColourIndex(qint32 value)
{
    return static_cast<int>(static_cast<quint32>(value) & 0xFFu);
}

constexpr int red(qint32 value) { return static_cast<int>(static_cast<quint32>(value) & 0xFFu); }
constexpr int green(qint32 value) { return static_cast<int>((static_cast<quint32>(value) >> 8) & 0xFFu); }
constexpr int blue(qint32 value) { return static_cast<int>((static_cast<quint32>(value) >> 16) & 0xFFu); }

constexpr qint32 fromRgb(int r, int g, int b)
{
    return static_cast<qint32>((static_cast<quint32>(r) & 0xFFu) | ((static_cast<quint32>(g) & 0xFFu) << 8)
                               | ((static_cast<quint32>(b) & 0xFFu) << 16));
}
} // namespace ColourValue

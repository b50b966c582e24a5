#include "settings/ui/ColourValueGui.h"

namespace ColourValue
{
namespace
{
QColor systemColour(int index, const QPalette& palette)
{
    switch (index) {
    case 0x01: // desktop
    case 0x0C: // application workspace
        return palette.color(QPalette::Dark);
    case 0x05: // window background
        return palette.color(QPalette::Base);
    case 0x06: // window frame
    case 0x07: // menu text
    case 0x08: // window text
        return palette.color(QPalette::Text);
    case 0x0D: // highlight
        return palette.color(QPalette::Highlight);
    case 0x0E: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 0x10: // button shadow
        return palette.color(QPalette::Mid);
    case 0x11: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 0x12: // button text
        return palette.color(QPalette::ButtonText);
    case 0x14: // button highlight
        return palette.color(QPalette::Light);
    case 0x15: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 0x16: // 3D light
        return palette.color(QPalette::Midlight);
    case 0x17: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 0x18: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    default: // button face (0x0F), menus and anything unknown
        return palette.color(QPalette::Button);
    }
}
} // namespace

QColor toQColor(qint32 value, const QPalette& palette)
{
    if (isSystemColour(value)) {
        return systemColour(systemColourIndex(value), palette);
    }
    return QColor(red(value), green(value), blue(value));
}

qint32 fromQColor(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return fromRgb(rgb.red(), rgb.green(), rgb.blue());
}
} // namespace ColourValue

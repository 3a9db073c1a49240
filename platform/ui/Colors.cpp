#include "Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace ui {

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Windows COLOR_* indexes, which the stored constants carry, and the palette
// roles that play the same part here.
SystemRole systemRole(int index)
{
    using P = QPalette;
    switch (index) {
    case 0: return {P::Active, P::Mid};                       // scroll bar
    case 1: return {P::Active, P::Window};                    // desktop
    case 2: return {P::Active, P::Highlight};                 // active caption
    case 3: return {P::Inactive, P::Highlight};               // inactive caption
    case 4: return {P::Active, P::Window};                    // menu
    case 5: return {P::Active, P::Base};                      // window background
    case 6: return {P::Active, P::Shadow};                    // window frame
    case 7: return {P::Active, P::WindowText};                // menu text
    case 8: return {P::Active, P::Text};                      // window text
    case 9: return {P::Active, P::HighlightedText};           // caption text
    case 10: return {P::Active, P::Window};                   // active border
    case 11: return {P::Inactive, P::Window};                 // inactive border
    case 12: return {P::Active, P::Dark};                     // application workspace
    case 13: return {P::Active, P::Highlight};                // highlight
    case 14: return {P::Active, P::HighlightedText};          // highlight text
    case 15: return {P::Active, P::Button};                   // button face
    case 16: return {P::Active, P::Dark};                     // button shadow
    case 17: return {P::Disabled, P::Text};                   // grey text
    case 18: return {P::Active, P::ButtonText};               // button text
    case 19: return {P::Inactive, P::HighlightedText};        // inactive caption text
    case 20: return {P::Active, P::Light};                    // button highlight
    case 21: return {P::Active, P::Shadow};                   // 3D dark shadow
    case 22: return {P::Active, P::Midlight};                 // 3D light
    case 23: return {P::Active, P::ToolTipText};              // info text
    case 24: return {P::Active, P::ToolTipBase};              // info background
    case 26: return {P::Active, P::Link};                     // hot-tracked item
    case 27: return {P::Active, P::Highlight};                // gradient active caption
    case 28: return {P::Inactive, P::Highlight};              // gradient inactive caption
    case 29: return {P::Active, P::Highlight};                // menu highlight
    case 30: return {P::Active, P::Window};                   // menu bar
    default: return {P::Active, P::Button};
    }
}

quint32 low32(qint64 value)
{
    return quint32(quint64(value) & 0xFFFFFFFFu);
}

}  // namespace

bool isSystemColorValue(qint64 value)
{
    const quint32 high = low32(value) >> 24;
    return high == 0x80 || high == 0xFF;
}

QColor colorFromValue(qint64 value)
{
    const quint32 v = low32(value);
    if (isSystemColorValue(value)) {
        const SystemRole r = systemRole(int(v & 0xFF));
        QColor c = QGuiApplication::palette().color(r.group, r.role);
        // The gradient caption colours are the lighter end of the caption.
        if ((v & 0xFF) == 27 || (v & 0xFF) == 28)
            c = c.lighter(140);
        return c;
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

qint64 valueFromColor(const QColor& color)
{
    if (!color.isValid())
        return 0;
    const QColor rgb = color.toRgb();
    return qint64(rgb.red()) | (qint64(rgb.green()) << 8) | (qint64(rgb.blue()) << 16);
}

QString colorValueName(qint64 value)
{
    return colorFromValue(value).name(QColor::HexRgb).toUpper();
}

}  // namespace ui

#include "ReportItem.h"

#include <cmath>

namespace report {

QColor colorFromDelphi(int value)
{
    if (value == NoColor)
        return {};
    if (value < 0) {
        // System colours: the low byte is the Windows colour index. These are
        // the classic light theme, which is what templates were designed with.
        switch (value & 0xFF) {
        case 5: return QColor(255, 255, 255);   // window
        case 8: return QColor(0, 0, 0);         // window text
        case 13: return QColor(0, 120, 215);    // highlight
        case 14: return QColor(255, 255, 255);  // highlight text
        case 15: return QColor(240, 240, 240);  // button face
        case 17: return QColor(109, 109, 109);  // grey text
        case 24: return QColor(255, 255, 225);  // info background
        default: return QColor(0, 0, 0);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QFont ItemFont::toFont() const
{
    QFont font(name);
    font.setPixelSize(std::max(1, std::abs(height)));
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
    // The layout measures unhinted outlines so that screen, printer and PDF agree.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

ReportItem::ReportItem(QObject* parent) : QObject(parent) {}

QList<ReportItem*> ReportItem::items() const
{
    QList<ReportItem*> result;
    for (QObject* child : children()) {
        if (auto* item = qobject_cast<ReportItem*>(child))
            result.append(item);
    }
    return result;
}

void ReportItem::setOwnFont(const ItemFont& font)
{
    parentFont_ = false;
    fontName_ = font.name;
    fontHeight_ = font.height;
    fontStyle_ = font.style;
    fontColor_ = font.color;
    emit changed();
}

ItemFont ReportItem::effectiveFont() const
{
    if (!parentFont_)
        return ownFont();
    if (ReportItem* parent = parentItem())
        return parent->effectiveFont();
    return ItemFont();
}

ReportBox::ReportBox(QObject* parent) : ReportItem(parent) {}

void ReportBox::setGeometry(double left, double top, double width, double height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    emit changed();
}

QString ReportBox::checkLimits() const
{
    // About ten metres: nothing printable is larger, and larger values only
    // serve to exhaust memory when pages are laid out.
    constexpr double limit = 40000;
    for (double v : {left_, top_, width_, height_}) {
        if (!std::isfinite(v) || std::abs(v) > limit)
            return QStringLiteral("konum ya da boyut sınırların dışında");
    }
    if (!std::isfinite(frameWidth_) || frameWidth_ < 0 || frameWidth_ > 200)
        return QStringLiteral("çerçeve kalınlığı sınırların dışında");
    if (!parentFont() && (std::abs(ownFont().height) > 1000 || ownFont().height == 0))
        return QStringLiteral("yazı yüksekliği sınırların dışında");
    return {};
}

}  // namespace report

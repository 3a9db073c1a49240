#pragma once

#include "TextLayout.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace report {

// One thing drawn on a prepared page, with everything already worked out:
// its text broken into lines, its font, colours and place in report units
// (pixels at 96 dpi) from the paper's top-left corner.
struct PreparedItem {
    enum class Kind { Text, Line, Shape, Picture, Box };
    enum class Align { Left, Right, Center, Justify };
    enum class VerticalAlign { Top, Bottom, Center };
    enum class Shape { Rectangle, RoundRectangle, Ellipse, Triangle, Diamond, Diagonal1, Diagonal2 };

    Kind kind = Kind::Box;
    QRectF rect;
    QColor fill;  // invalid: not filled
    int frameSides = 0;  // left 1, right 2, top 4, bottom 8
    double frameWidth = 1;
    QColor frameColor = Qt::black;
    Qt::PenStyle frameStyle = Qt::SolidLine;

    // Text
    QList<TextLine> lines;
    QFont font;
    QColor textColor = Qt::black;
    Align align = Align::Left;
    VerticalAlign verticalAlign = VerticalAlign::Top;
    double gapX = 0;
    double gapY = 0;
    double lineHeight = 0;
    bool clip = true;

    // Line
    QPointF from;
    QPointF to;

    // Shape
    Shape shape = Shape::Rectangle;
    double curve = 0;

    // Picture
    QImage image;
    bool stretched = true;
    bool center = false;
    bool keepAspectRatio = true;

    // The lines of the text joined, for tests and searching.
    QString text() const;
};

struct PreparedPage {
    QSizeF paperMm;
    QList<PreparedItem> items;

    QSizeF size() const;  // in report units
};

// The pages of a report run. One painter serves preview, printing and PDF.
class PreparedReport {
public:
    int pageCount() const { return int(pages_.size()); }
    const PreparedPage& page(int index) const { return pages_.at(index); }
    QList<PreparedPage>& pages() { return pages_; }
    const QList<PreparedPage>& pages() const { return pages_; }
    void clear() { pages_.clear(); }

    // Paints one page (0-based). The painter's coordinates must be report
    // units from the paper's top-left corner: scale it by device dpi / 96.
    void paintPage(int page, QPainter& painter) const;

    // All text of a page, top to bottom, one item per line.
    QString pageText(int page) const;

private:
    QList<PreparedPage> pages_;
};

}  // namespace report

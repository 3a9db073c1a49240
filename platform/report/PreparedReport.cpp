#include "PreparedReport.h"

#include "ReportPage.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace report {

QString PreparedItem::text() const
{
    QStringList parts;
    for (const TextLine& line : lines)
        parts.append(line.text);
    return parts.join(QLatin1Char('\n'));
}

QSizeF PreparedPage::size() const
{
    return paperMm * UnitsPerMm;
}

namespace {

QPen framePen(const PreparedItem& item)
{
    QPen pen(item.frameColor, item.frameWidth, item.frameStyle);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void paintFrame(const PreparedItem& item, QPainter& painter)
{
    if (item.frameSides == 0 || !item.frameColor.isValid())
        return;
    painter.setPen(framePen(item));
    const QRectF& r = item.rect;
    if (item.frameSides & 1)
        painter.drawLine(r.topLeft(), r.bottomLeft());
    if (item.frameSides & 2)
        painter.drawLine(r.topRight(), r.bottomRight());
    if (item.frameSides & 4)
        painter.drawLine(r.topLeft(), r.topRight());
    if (item.frameSides & 8)
        painter.drawLine(r.bottomLeft(), r.bottomRight());
}

void paintJustified(const TextLine& line, const QRectF& box, QPainter& painter)
{
    const QStringList words = line.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2) {
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, line.text);
        return;
    }
    const QFontMetricsF metrics(painter.font());
    double used = 0;
    for (const QString& word : words)
        used += metrics.horizontalAdvance(word);
    const double gap = std::max(0.0, (box.width() - used) / (words.size() - 1));
    double x = box.left();
    for (const QString& word : words) {
        painter.drawText(QRectF(x, box.top(), box.width(), box.height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         word);
        x += metrics.horizontalAdvance(word) + gap;
    }
}

void paintText(const PreparedItem& item, QPainter& painter)
{
    painter.save();
    if (item.clip)
        painter.setClipRect(item.rect, Qt::IntersectClip);
    painter.setFont(item.font);
    painter.setPen(item.textColor);
    const QRectF inner = item.rect.adjusted(item.gapX, item.gapY, -item.gapX, -item.gapY);
    const double total = item.lines.size() * item.lineHeight;
    double top = inner.top();
    if (item.verticalAlign == PreparedItem::VerticalAlign::Bottom)
        top = inner.bottom() - total;
    else if (item.verticalAlign == PreparedItem::VerticalAlign::Center)
        top = inner.top() + (inner.height() - total) / 2;
    Qt::Alignment align = Qt::AlignLeft;
    if (item.align == PreparedItem::Align::Right)
        align = Qt::AlignRight;
    else if (item.align == PreparedItem::Align::Center)
        align = Qt::AlignHCenter;
    for (int i = 0; i < item.lines.size(); ++i) {
        const QRectF box(inner.left(), top + i * item.lineHeight, inner.width(), item.lineHeight);
        if (box.top() > item.rect.bottom() && item.clip)
            break;
        const TextLine& line = item.lines[i];
        if (item.align == PreparedItem::Align::Justify && !line.endsParagraph)
            paintJustified(line, box, painter);
        else
            painter.drawText(box, align | Qt::AlignTop | Qt::TextDontClip, line.text);
    }
    painter.restore();
}

void paintShape(const PreparedItem& item, QPainter& painter)
{
    painter.save();
    painter.setPen(item.frameColor.isValid() ? framePen(item) : QPen(Qt::NoPen));
    painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
    const QRectF& r = item.rect;
    switch (item.shape) {
    case PreparedItem::Shape::Rectangle: painter.drawRect(r); break;
    case PreparedItem::Shape::RoundRectangle: {
        const double radius = std::min(r.width(), r.height()) / std::max(1.0, item.curve);
        painter.drawRoundedRect(r, radius, radius);
        break;
    }
    case PreparedItem::Shape::Ellipse: painter.drawEllipse(r); break;
    case PreparedItem::Shape::Triangle:
        painter.drawPolygon(QPolygonF({QPointF(r.center().x(), r.top()), r.bottomRight(), r.bottomLeft()}));
        break;
    case PreparedItem::Shape::Diamond:
        painter.drawPolygon(QPolygonF({QPointF(r.center().x(), r.top()), QPointF(r.right(), r.center().y()),
                                       QPointF(r.center().x(), r.bottom()), QPointF(r.left(), r.center().y())}));
        break;
    case PreparedItem::Shape::Diagonal1: painter.drawLine(r.bottomLeft(), r.topRight()); break;
    case PreparedItem::Shape::Diagonal2: painter.drawLine(r.topLeft(), r.bottomRight()); break;
    }
    painter.restore();
}

void paintPicture(const PreparedItem& item, QPainter& painter)
{
    if (item.image.isNull())
        return;
    const QRectF& r = item.rect;
    QSizeF size = item.image.size();
    if (item.stretched) {
        size = item.keepAspectRatio ? size.scaled(r.size(), Qt::KeepAspectRatio) : r.size();
    }
    QPointF at = r.topLeft();
    if (item.center)
        at = QPointF(r.center().x() - size.width() / 2, r.center().y() - size.height() / 2);
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    painter.drawImage(QRectF(at, size), item.image);
    painter.restore();
}

}  // namespace

void PreparedReport::paintPage(int index, QPainter& painter) const
{
    if (index < 0 || index >= pages_.size())
        return;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    for (const PreparedItem& item : pages_[index].items) {
        if (item.kind != PreparedItem::Kind::Shape && item.fill.isValid())
            painter.fillRect(item.rect, item.fill);
        switch (item.kind) {
        case PreparedItem::Kind::Text: paintText(item, painter); break;
        case PreparedItem::Kind::Line:
            painter.setPen(framePen(item));
            painter.drawLine(item.from, item.to);
            break;
        case PreparedItem::Kind::Shape: paintShape(item, painter); break;
        case PreparedItem::Kind::Picture: paintPicture(item, painter); break;
        case PreparedItem::Kind::Box: break;
        }
        if (item.kind != PreparedItem::Kind::Line && item.kind != PreparedItem::Kind::Shape)
            paintFrame(item, painter);
    }
    painter.restore();
}

QString PreparedReport::pageText(int index) const
{
    QStringList out;
    if (index < 0 || index >= pages_.size())
        return {};
    QList<const PreparedItem*> texts;
    for (const PreparedItem& item : pages_[index].items) {
        if (item.kind == PreparedItem::Kind::Text)
            texts.append(&item);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const PreparedItem* a, const PreparedItem* b) {
        return a->rect.top() < b->rect.top() || (a->rect.top() == b->rect.top() && a->rect.left() < b->rect.left());
    });
    for (const PreparedItem* item : texts)
        out.append(item->text());
    return out.join(QLatin1Char('\n'));
}

}  // namespace report

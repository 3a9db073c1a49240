#include "DesignerItems.h"

#include "BandLayout.h"
#include "DesignerDocument.h"

#include "platform/report/LineView.h"
#include "platform/report/MemoView.h"
#include "platform/report/PictureView.h"
#include "platform/report/ReportPage.h"
#include "platform/report/ShapeView.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace report {

namespace {

Qt::PenStyle penStyle(ReportBox::FrameStyle style)
{
    switch (style) {
    case ReportBox::fsDash: return Qt::DashLine;
    case ReportBox::fsDot: return Qt::DotLine;
    case ReportBox::fsDashDot: return Qt::DashDotLine;
    case ReportBox::fsDashDotDot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

QPen framePen(const ReportBox& box)
{
    QColor color = colorFromDelphi(box.frameColor());
    if (!color.isValid())
        color = Qt::black;
    QPen pen(color, std::max(0.0, box.frameWidth()), penStyle(box.frameStyle()));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void paintFrame(QPainter& painter, const ReportBox& box, const QRectF& rect)
{
    const int sides = box.frameTyp();
    if (!(sides & 15))
        return;
    painter.setPen(framePen(box));
    if (sides & ReportBox::FrameLeft)
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
    if (sides & ReportBox::FrameRight)
        painter.drawLine(rect.topRight(), rect.bottomRight());
    if (sides & ReportBox::FrameTop)
        painter.drawLine(rect.topLeft(), rect.topRight());
    if (sides & ReportBox::FrameBottom)
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
}

// A faint outline, so an object without a frame can still be found.
void paintOutline(QPainter& painter, const QRectF& rect)
{
    QPen pen(QColor(160, 160, 160), 0, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
}

void paintMemo(QPainter& painter, const MemoView& memo, const QRectF& rect)
{
    const QColor fill = colorFromDelphi(memo.color());
    if (fill.isValid())
        painter.fillRect(rect, fill);
    else
        paintOutline(painter, rect);
    const ItemFont font = memo.effectiveFont();
    painter.setFont(font.toFont());
    QColor textColor = colorFromDelphi(font.color);
    painter.setPen(textColor.isValid() ? textColor : QColor(Qt::black));
    int flags = 0;
    switch (memo.hAlign()) {
    case MemoView::haRight: flags |= Qt::AlignRight; break;
    case MemoView::haCenter: flags |= Qt::AlignHCenter; break;
    case MemoView::haBlock: flags |= Qt::AlignJustify; break;
    default: flags |= Qt::AlignLeft; break;
    }
    switch (memo.vAlign()) {
    case MemoView::vaBottom: flags |= Qt::AlignBottom; break;
    case MemoView::vaCenter: flags |= Qt::AlignVCenter; break;
    default: flags |= Qt::AlignTop; break;
    }
    if (memo.wordWrap())
        flags |= Qt::TextWordWrap;
    const QRectF inner = rect.adjusted(memo.gapX(), memo.gapY(), -memo.gapX(), -memo.gapY());
    painter.save();
    painter.setClipRect(rect.adjusted(-1, -1, 1, 1));
    painter.drawText(inner, flags, memo.text());
    painter.restore();
    paintFrame(painter, memo, rect);
}

void paintLine(QPainter& painter, const LineView& line, const QRectF& rect)
{
    QPen pen = framePen(line);
    if (line.color() != NoColor && colorFromDelphi(line.color()).isValid())
        pen.setColor(colorFromDelphi(line.color()));
    // A hairline still shows at any zoom.
    pen.setWidthF(std::max(0.5, pen.widthF()));
    painter.setPen(pen);
    QPointF to;
    if (line.isDiagonal())
        to = rect.bottomRight();
    else if (std::abs(rect.width()) >= std::abs(rect.height()))
        to = QPointF(rect.right(), rect.top());
    else
        to = QPointF(rect.left(), rect.bottom());
    painter.drawLine(rect.topLeft(), to);
}

void paintShape(QPainter& painter, const ShapeView& shape, const QRectF& rect)
{
    const QColor fill = colorFromDelphi(shape.color());
    painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    painter.setPen(framePen(shape));
    switch (shape.shape()) {
    case ShapeView::skRectangle: painter.drawRect(rect); break;
    case ShapeView::skRoundRectangle: {
        // The same radius the printed page uses.
        const double radius = std::min(rect.width(), rect.height()) / std::max(1.0, double(shape.curve()));
        painter.drawRoundedRect(rect, radius, radius);
        break;
    }
    case ShapeView::skEllipse: painter.drawEllipse(rect); break;
    case ShapeView::skTriangle: {
        const QPointF points[] = {{rect.center().x(), rect.top()}, rect.bottomRight(), rect.bottomLeft()};
        painter.drawPolygon(points, 3);
        break;
    }
    case ShapeView::skDiamond: {
        const QPointF points[] = {{rect.center().x(), rect.top()},
                                  {rect.right(), rect.center().y()},
                                  {rect.center().x(), rect.bottom()},
                                  {rect.left(), rect.center().y()}};
        painter.drawPolygon(points, 4);
        break;
    }
    case ShapeView::skDiagonal1: painter.drawLine(rect.bottomLeft(), rect.topRight()); break;
    case ShapeView::skDiagonal2: painter.drawLine(rect.topLeft(), rect.bottomRight()); break;
    }
    painter.setBrush(Qt::NoBrush);
}

void paintPicture(QPainter& painter, const PictureView& picture, const QRectF& rect)
{
    const QImage image = picture.image();
    if (image.isNull()) {
        paintOutline(painter, rect);
        painter.setPen(QPen(QColor(150, 150, 150), 0));
        painter.drawLine(rect.topLeft(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.topRight());
        QFont font;
        font.setPixelSize(9);
        painter.setFont(font);
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(rect, Qt::AlignCenter, QStringLiteral("Resim"));
    } else {
        QRectF target = rect;
        if (!picture.isStretched()) {
            target.setSize(QSizeF(image.size()) * (96.0 / std::max(1, image.logicalDpiX())));
            if (picture.isCentered())
                target.moveCenter(rect.center());
        } else if (picture.keepsAspectRatio()) {
            QSizeF size = QSizeF(image.size()).scaled(rect.size(), Qt::KeepAspectRatio);
            target.setSize(size);
            if (picture.isCentered())
                target.moveCenter(rect.center());
        }
        painter.save();
        painter.setClipRect(rect);
        painter.drawImage(target, image);
        painter.restore();
    }
    paintFrame(painter, picture, rect);
}

QColor captionColor(ReportBand::Kind kind)
{
    switch (kind) {
    case ReportBand::MasterData:
    case ReportBand::DetailData: return QColor(255, 224, 178);
    case ReportBand::Header:
    case ReportBand::Footer:
    case ReportBand::GroupHeader:
    case ReportBand::GroupFooter: return QColor(200, 230, 201);
    case ReportBand::PageHeader:
    case ReportBand::PageFooter: return QColor(187, 222, 251);
    default: return QColor(225, 225, 225);
    }
}

}  // namespace

// ---- page -----------------------------------------------------------------------

PageItem::PageItem(const ReportPage& page, double height)
{
    const QMarginsF margins = page.marginsMm();
    paper_ = QRectF(0, 0, page.paperWidth() * UnitsPerMm, height);
    printable_ = QRectF(margins.left() * UnitsPerMm, margins.top() * UnitsPerMm,
                        std::max(0.0, (page.paperWidth() - margins.left() - margins.right()) * UnitsPerMm),
                        std::max(0.0, height - (margins.top() + margins.bottom()) * UnitsPerMm));
    setZValue(-10);
}

QRectF PageItem::boundingRect() const
{
    return paper_.adjusted(0, 0, 4, 4);
}

void PageItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->fillRect(paper_.translated(4, 4), QColor(120, 120, 120));
    painter->fillRect(paper_, Qt::white);
    painter->setPen(QPen(QColor(170, 170, 170), 0, Qt::DashLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(printable_);
}

// ---- band -----------------------------------------------------------------------

BandItem::BandItem(const DesignerDocument& document, ReportBand& band, double width)
    : document_(document), band_(&band), width_(width), height_(std::max(0.0, band.height()))
{
}

QRectF BandItem::bodyRect() const
{
    return QRectF(0, 0, width_, height_);
}

QRectF BandItem::captionRect() const
{
    return QRectF(0, -band_layout::CaptionHeight, width_, band_layout::CaptionHeight);
}

void BandItem::setPreviewHeight(double height)
{
    prepareGeometryChange();
    height_ = std::max(0.0, height);
}

QRectF BandItem::boundingRect() const
{
    return captionRect().united(bodyRect()).adjusted(-1, -1, 1, 1);
}

void BandItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (!band_)
        return;
    const bool selected = document_.isSelected(band_);
    const QRectF caption = captionRect().adjusted(0, 1, 0, -1);
    painter->fillRect(caption, selected ? captionColor(band_->kind()).darker(125) : captionColor(band_->kind()));
    // The window's own font: captions are the designer's, not the report's.
    QFont font;
    font.setPixelSize(11);
    font.setBold(selected);
    painter->setFont(font);
    painter->setPen(QColor(40, 40, 40));
    painter->drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, band_layout::caption(*band_));

    const QColor fill = colorFromDelphi(band_->color());
    if (fill.isValid())
        painter->fillRect(bodyRect(), fill);
    painter->setPen(QPen(selected ? QColor(0, 90, 200) : QColor(190, 190, 190), 0, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(bodyRect());
    paintFrame(*painter, *band_, bodyRect());
}

// ---- object ---------------------------------------------------------------------

ViewItem::ViewItem(ReportView& view) : view_(&view) {}

QRectF ViewItem::viewRect() const
{
    if (previewing_ || !view_)
        return preview_;
    return QRectF(view_->left(), view_->top(), view_->width(), view_->height());
}

void ViewItem::setPreviewRect(const QRectF& rectInBand)
{
    prepareGeometryChange();
    preview_ = rectInBand;
    previewing_ = true;
}

QRectF ViewItem::boundingRect() const
{
    const double frame = view_ ? std::max(1.0, view_->frameWidth()) : 1.0;
    return viewRect().normalized().adjusted(-frame - 1, -frame - 1, frame + 1, frame + 1);
}

void ViewItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (!view_)
        return;
    const QRectF rect = viewRect();
    painter->save();
    if (!view_->isVisible())
        painter->setOpacity(0.4);
    if (auto* memo = qobject_cast<MemoView*>(view_))
        paintMemo(*painter, *memo, rect);
    else if (auto* line = qobject_cast<LineView*>(view_))
        paintLine(*painter, *line, rect);
    else if (auto* shape = qobject_cast<ShapeView*>(view_))
        paintShape(*painter, *shape, rect);
    else if (auto* picture = qobject_cast<PictureView*>(view_))
        paintPicture(*painter, *picture, rect);
    painter->restore();
}

}  // namespace report

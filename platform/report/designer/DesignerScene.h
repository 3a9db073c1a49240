#pragma once

#include <QGraphicsScene>
#include <QHash>
#include <QPointer>

namespace report {

class BandItem;
class DesignerDocument;
class ReportBand;
class ReportItem;
class ReportView;
class ViewItem;

// The current page drawn to scale: one scene unit is one report unit (a pixel
// at 96 dpi). It is rebuilt from the template after every change, so it never
// holds state of its own beyond the drag the view is showing.
class DesignerScene : public QGraphicsScene {
    Q_OBJECT

public:
    explicit DesignerScene(DesignerDocument& document, QObject* parent = nullptr);

    DesignerDocument& document() const { return document_; }
    void rebuild();

    // Scene geometry of the template's bands and objects.
    QPointF bandOrigin(const ReportBand* band) const;
    QRectF bandBodyRect(const ReportBand* band) const;
    QRectF bandCaptionRect(const ReportBand* band) const;
    QRectF viewRect(const ReportView* view) const;
    QRectF pageRect() const;

    // The band whose caption or body holds the point, or nullptr.
    ReportBand* bandAt(const QPointF& scenePos) const;
    // The topmost object under the point; thin objects (lines) are found
    // within the tolerance.
    ReportView* viewAt(const QPointF& scenePos, double tolerance) const;

    BandItem* bandItem(const ReportBand* band) const { return bandItems_.value(band); }
    ViewItem* viewItem(const ReportView* view) const { return viewItems_.value(view); }

    // Handles are hidden while the view drags objects around.
    void setDragging(bool dragging);
    // Size of a handle in scene units; the view sets it for its zoom.
    void setHandleSize(double size);
    double handleSize() const { return handleSize_; }

protected:
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    DesignerDocument& document_;
    QHash<const ReportBand*, BandItem*> bandItems_;
    QHash<const ReportView*, ViewItem*> viewItems_;
    QRectF page_;
    bool dragging_ = false;
    double handleSize_ = 6;
};

// The eight handles of a rectangle: corners and edge middles, clockwise from
// the top-left corner.
QList<QPointF> handlePoints(const QRectF& rect);

}  // namespace report

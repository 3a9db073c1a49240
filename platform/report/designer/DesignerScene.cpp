#include "DesignerScene.h"

#include "BandLayout.h"
#include "DesignerDocument.h"
#include "DesignerItems.h"

#include "platform/report/ReportPage.h"
#include "platform/report/ReportView.h"

#include <QPainter>

namespace report {

QList<QPointF> handlePoints(const QRectF& rect)
{
    const QRectF r = rect.normalized();
    return {r.topLeft(),     QPointF(r.center().x(), r.top()),    r.topRight(),
            QPointF(r.right(), r.center().y()), r.bottomRight(), QPointF(r.center().x(), r.bottom()),
            r.bottomLeft(),  QPointF(r.left(), r.center().y())};
}

DesignerScene::DesignerScene(DesignerDocument& document, QObject* parent) : QGraphicsScene(parent), document_(document)
{
    setBackgroundBrush(QColor(128, 128, 128));
    rebuild();
}

void DesignerScene::rebuild()
{
    clear();
    bandItems_.clear();
    viewItems_.clear();
    const ReportPage* page = document_.page();
    if (!page) {
        page_ = QRectF();
        setSceneRect(QRectF(0, 0, 100, 100));
        return;
    }
    const QMarginsF margins = page->marginsMm() * UnitsPerMm;
    const QList<ReportBand*> bands = band_layout::ordered(*page);
    const QList<double> tops = band_layout::stackedTops(bands);
    double contentBottom = margins.top();
    if (!bands.isEmpty())
        contentBottom += tops.last() + std::max(0.0, bands.last()->height());
    // Roll paper and overfull pages grow to show every band.
    const double height = std::max(page->paperHeight() * UnitsPerMm, contentBottom + margins.bottom());
    auto* pageItem = new PageItem(*page, height);
    addItem(pageItem);
    page_ = QRectF(0, 0, page->paperWidth() * UnitsPerMm, height);

    const double width = band_layout::printableWidth(*page);
    for (int i = 0; i < bands.size(); ++i) {
        ReportBand* band = bands[i];
        auto* bandItem = new BandItem(document_, *band, width);
        bandItem->setPos(margins.left(), margins.top() + tops[i]);
        addItem(bandItem);
        bandItems_.insert(band, bandItem);
        int z = 0;
        for (ReportView* view : band->views()) {
            auto* viewItem = new ViewItem(*view);
            viewItem->setParentItem(bandItem);
            viewItem->setZValue(++z);
            viewItems_.insert(view, viewItem);
        }
    }
    setSceneRect(page_.adjusted(-24, -24, 24, 24));
    update();
}

QPointF DesignerScene::bandOrigin(const ReportBand* band) const
{
    const BandItem* item = bandItems_.value(band);
    return item ? item->pos() : QPointF();
}

QRectF DesignerScene::bandBodyRect(const ReportBand* band) const
{
    const BandItem* item = bandItems_.value(band);
    return item ? item->bodyRect().translated(item->pos()) : QRectF();
}

QRectF DesignerScene::bandCaptionRect(const ReportBand* band) const
{
    const BandItem* item = bandItems_.value(band);
    return item ? item->captionRect().translated(item->pos()) : QRectF();
}

QRectF DesignerScene::viewRect(const ReportView* view) const
{
    const ViewItem* item = viewItems_.value(view);
    if (!item || !item->parentItem())
        return QRectF();
    return item->viewRect().translated(item->parentItem()->pos());
}

QRectF DesignerScene::pageRect() const
{
    return page_;
}

ReportBand* DesignerScene::bandAt(const QPointF& scenePos) const
{
    for (auto it = bandItems_.cbegin(); it != bandItems_.cend(); ++it) {
        const BandItem* item = it.value();
        const QRectF area = item->captionRect().united(item->bodyRect()).translated(item->pos());
        // The lower edge belongs to the band, so a band of no height can still be grabbed.
        if (area.adjusted(0, 0, 0, 1).contains(scenePos))
            return item->band();
    }
    return nullptr;
}

ReportView* DesignerScene::viewAt(const QPointF& scenePos, double tolerance) const
{
    ReportView* found = nullptr;
    double foundZ = -1;
    int foundBand = -1;
    const QList<ReportBand*> bands = document_.orderedBands();
    for (auto it = viewItems_.cbegin(); it != viewItems_.cend(); ++it) {
        const QRectF rect = viewRect(it.key()).normalized().adjusted(-tolerance, -tolerance, tolerance, tolerance);
        if (!rect.contains(scenePos))
            continue;
        // Objects of later bands and later in their band lie on top.
        const int band = int(bands.indexOf(qobject_cast<ReportBand*>(it.key()->parentItem())));
        const double z = it.value()->zValue();
        if (band > foundBand || (band == foundBand && z > foundZ)) {
            found = const_cast<ReportView*>(it.key());
            foundBand = band;
            foundZ = z;
        }
    }
    return found;
}

void DesignerScene::setDragging(bool dragging)
{
    dragging_ = dragging;
    update();
}

void DesignerScene::setHandleSize(double size)
{
    handleSize_ = size;
    update();
}

void DesignerScene::drawForeground(QPainter* painter, const QRectF&)
{
    if (dragging_)
        return;
    const QList<ReportView*> views = document_.selectedViews();
    painter->save();
    for (ReportView* view : views) {
        const QRectF rect = viewRect(view);
        if (rect.isNull() && rect.topLeft().isNull() && !viewItems_.contains(view))
            continue;
        painter->setPen(QPen(QColor(0, 90, 200), 0, Qt::DashLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.normalized());
        if (views.size() != 1)
            continue;
        painter->setPen(QPen(Qt::black, 0));
        painter->setBrush(QColor(0, 90, 200));
        for (const QPointF& point : handlePoints(rect)) {
            painter->drawRect(QRectF(point.x() - handleSize_ / 2, point.y() - handleSize_ / 2, handleSize_,
                                     handleSize_));
        }
    }
    painter->restore();
}

}  // namespace report

#include "DesignerView.h"

#include "BandLayout.h"
#include "DesignerItems.h"
#include "DesignerScene.h"

#include "platform/report/MemoView.h"
#include "platform/report/ReportView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace report {

namespace {

// How close to a handle or an edge, in screen pixels, the mouse grabs it.
constexpr double GrabDistance = 5;

enum Edge { EdgeLeft = 1, EdgeTop = 2, EdgeRight = 4, EdgeBottom = 8 };

// Which edges each handle of handlePoints() moves.
constexpr int handleEdges[8] = {EdgeLeft | EdgeTop, EdgeTop, EdgeRight | EdgeTop, EdgeRight,
                                EdgeRight | EdgeBottom, EdgeBottom, EdgeLeft | EdgeBottom, EdgeLeft};

}  // namespace

DesignerView::DesignerView(DesignerScene& scene, QWidget* parent) : QGraphicsView(&scene, parent), scene_(scene)
{
    setDragMode(QGraphicsView::NoDrag);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setAccessibleName(QStringLiteral("Sayfa"));
    setZoom(1.0);
}

DesignerDocument& DesignerView::document() const
{
    return scene_.document();
}

void DesignerView::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, 0.25, 8.0);
    resetTransform();
    scale(zoom_, zoom_);
    scene_.setHandleSize(6 / zoom_);
    emit zoomChanged(zoom_);
}

void DesignerView::setInsertKind(std::optional<DesignerDocument::ViewKind> kind)
{
    insertKind_ = kind;
    viewport()->setCursor(kind ? Qt::CrossCursor : Qt::ArrowCursor);
    emit insertKindChanged();
}

void DesignerView::showPageTop()
{
    // A view keeps its centre when the scene grows; a page is read from its top.
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    horizontalScrollBar()->setValue((horizontalScrollBar()->minimum() + horizontalScrollBar()->maximum()) / 2);
}

QPoint DesignerView::viewportPoint(const QPointF& scenePos) const
{
    return mapFromScene(scenePos);
}

int DesignerView::handleAt(const QPoint& viewportPos) const
{
    const QList<ReportView*> views = document().selectedViews();
    if (views.size() != 1 || document().selection().size() != 1)
        return -1;
    const QList<QPointF> points = handlePoints(scene_.viewRect(views.first()));
    for (int i = 0; i < points.size(); ++i) {
        const QPointF at = mapFromScene(points[i]);
        if (std::abs(at.x() - viewportPos.x()) <= GrabDistance && std::abs(at.y() - viewportPos.y()) <= GrabDistance)
            return i;
    }
    return -1;
}

bool DesignerView::onBandEdge(const QPoint& viewportPos, ReportBand** band) const
{
    for (ReportBand* each : document().orderedBands()) {
        const QRectF body = scene_.bandBodyRect(each);
        const QPointF left = mapFromScene(body.bottomLeft());
        const QPointF right = mapFromScene(body.bottomRight());
        if (std::abs(left.y() - viewportPos.y()) <= GrabDistance / 2 + 1 && viewportPos.x() >= left.x()
            && viewportPos.x() <= right.x()) {
            *band = each;
            return true;
        }
    }
    return false;
}

void DesignerView::updateCursor(const QPoint& viewportPos)
{
    if (insertKind_) {
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
    static const Qt::CursorShape handleCursors[8] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor,
                                                     Qt::SizeHorCursor,   Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                                     Qt::SizeBDiagCursor, Qt::SizeHorCursor};
    const int handle = handleAt(viewportPos);
    ReportBand* band = nullptr;
    if (handle >= 0)
        viewport()->setCursor(handleCursors[handle]);
    else if (scene_.viewAt(mapToScene(viewportPos), 3 / zoom_))
        viewport()->setCursor(Qt::SizeAllCursor);
    else if (onBandEdge(viewportPos, &band))
        viewport()->setCursor(Qt::SizeVerCursor);
    else
        viewport()->setCursor(Qt::ArrowCursor);
}

void DesignerView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const QPointF scenePos = mapToScene(pos);
    DesignerDocument& doc = document();

    if (insertKind_) {
        const DesignerDocument::ViewKind kind = *insertKind_;
        setInsertKind(std::nullopt);
        if (ReportBand* band = scene_.bandAt(scenePos)) {
            QPointF at = scenePos - scene_.bandOrigin(band);
            at.setY(std::max(0.0, at.y()));
            if (ReportView* view = doc.addView(kind, band, at))
                emit viewInserted(view);
        }
        return;
    }

    drag_ = Drag::None;
    dragMoved_ = false;
    dragStart_ = scenePos;
    dragViews_.clear();
    dragStartRects_.clear();
    dragRects_.clear();
    const bool toggle = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);

    handle_ = toggle ? -1 : handleAt(pos);
    if (handle_ >= 0) {
        ReportView* view = doc.selectedViews().first();
        drag_ = Drag::Resize;
        dragViews_ = {view};
        dragStartRects_ = {QRectF(view->left(), view->top(), view->width(), view->height())};
        dragRects_ = dragStartRects_;
        return;
    }
    if (ReportView* view = scene_.viewAt(scenePos, 3 / zoom_)) {
        if (toggle) {
            doc.toggleSelected(view);
            return;
        }
        if (!doc.isSelected(view))
            doc.select(view);
        drag_ = Drag::Move;
        // The object under the mouse leads: it snaps, the others keep their distance to it.
        QList<ReportView*> views = doc.selectedViews();
        views.removeAll(view);
        views.prepend(view);
        for (ReportView* each : views) {
            dragViews_.append(each);
            dragStartRects_.append(QRectF(each->left(), each->top(), each->width(), each->height()));
        }
        dragRects_ = dragStartRects_;
        return;
    }
    ReportBand* band = nullptr;
    if (!toggle && onBandEdge(pos, &band)) {
        doc.select(band);
        drag_ = Drag::BandHeight;
        dragBand_ = band;
        dragStartHeight_ = band->height();
        dragHeight_ = dragStartHeight_;
        return;
    }
    band = scene_.bandAt(scenePos);
    if (toggle && band)
        doc.toggleSelected(band);
    else
        doc.select(band);
}

void DesignerView::mouseMoveEvent(QMouseEvent* event)
{
    if (drag_ == Drag::None) {
        updateCursor(event->position().toPoint());
        return;
    }
    dragTo(mapToScene(event->position().toPoint()));
}

void DesignerView::dragTo(const QPointF& scenePos)
{
    const QPointF delta = scenePos - dragStart_;
    using band_layout::snapped;
    switch (drag_) {
    case Drag::None:
        return;
    case Drag::Move: {
        const QRectF& lead = dragStartRects_.first();
        const QPointF shift(snapped(lead.left() + delta.x()) - lead.left(), snapped(lead.top() + delta.y()) - lead.top());
        for (int i = 0; i < dragRects_.size(); ++i)
            dragRects_[i] = dragStartRects_[i].translated(shift);
        break;
    }
    case Drag::Resize: {
        const int edges = handleEdges[handle_];
        const QRectF& start = dragStartRects_.first();
        QRectF rect = start;
        if (edges & EdgeLeft)
            rect.setLeft(std::min(snapped(start.left() + delta.x()), start.right()));
        if (edges & EdgeRight)
            rect.setRight(std::max(snapped(start.right() + delta.x()), start.left()));
        if (edges & EdgeTop)
            rect.setTop(std::min(snapped(start.top() + delta.y()), start.bottom()));
        if (edges & EdgeBottom)
            rect.setBottom(std::max(snapped(start.bottom() + delta.y()), start.top()));
        dragRects_[0] = rect;
        break;
    }
    case Drag::BandHeight:
        dragHeight_ = std::max(0.0, snapped(dragStartHeight_ + delta.y()));
        if (BandItem* item = scene_.bandItem(dragBand_))
            item->setPreviewHeight(dragHeight_);
        dragMoved_ = dragMoved_ || dragHeight_ != dragStartHeight_;
        scene_.setDragging(true);
        return;
    }
    bool moved = false;
    for (int i = 0; i < dragRects_.size(); ++i)
        moved = moved || dragRects_[i] != dragStartRects_[i];
    if (!moved && !dragMoved_)
        return;
    dragMoved_ = true;
    scene_.setDragging(true);
    for (int i = 0; i < dragViews_.size(); ++i) {
        if (ViewItem* item = scene_.viewItem(dragViews_[i]))
            item->setPreviewRect(dragRects_[i]);
    }
}

void DesignerView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || drag_ == Drag::None)
        return;
    finishDrag(mapToScene(event->position().toPoint()));
}

void DesignerView::finishDrag(const QPointF& scenePos)
{
    dragTo(scenePos);
    const Drag drag = drag_;
    drag_ = Drag::None;
    scene_.setDragging(false);
    if (!dragMoved_)
        return;
    DesignerDocument& doc = document();
    QList<ReportView*> views;
    QList<QRectF> rects;
    for (int i = 0; i < dragViews_.size(); ++i) {
        if (dragViews_[i]) {
            views.append(dragViews_[i]);
            rects.append(dragRects_[i]);
        }
    }
    if (drag == Drag::Move && views.size() == 1) {
        // A single object dropped on another band moves into it.
        auto* from = qobject_cast<ReportBand*>(views.first()->parentItem());
        ReportBand* to = scene_.bandAt(scenePos);
        if (from && to && to != from) {
            const QPointF shift = scene_.bandOrigin(from) - scene_.bandOrigin(to);
            QRectF rect = rects.first().translated(shift);
            rect.moveTopLeft(QPointF(band_layout::snapped(rect.left()), std::max(0.0, band_layout::snapped(rect.top()))));
            doc.placeViews(views, {rect}, to);
            scene_.rebuild();
            return;
        }
    }
    if (drag == Drag::BandHeight)
        doc.setBandHeight(dragBand_, dragHeight_);
    else
        doc.placeViews(views, rects);
    // A drag that ended where it began changed nothing, but left previews behind.
    scene_.rebuild();
}

void DesignerView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (ReportView* view = scene_.viewAt(mapToScene(event->position().toPoint()), 3 / zoom_)) {
        document().select(view);
        emit editRequested(view);
    }
}

void DesignerView::keyPressEvent(QKeyEvent* event)
{
    DesignerDocument& doc = document();
    const bool hasSelection = !doc.selection().isEmpty();
    const double step = (event->modifiers() & Qt::ControlModifier) ? 1 : band_layout::GridStep;
    const bool resize = event->modifiers() & Qt::ShiftModifier;
    QPointF delta;
    switch (event->key()) {
    case Qt::Key_Left: delta = {-step, 0}; break;
    case Qt::Key_Right: delta = {step, 0}; break;
    case Qt::Key_Up: delta = {0, -step}; break;
    case Qt::Key_Down: delta = {0, step}; break;
    case Qt::Key_Delete:
        if (hasSelection) {
            doc.deleteSelection();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* memo = qobject_cast<MemoView*>(doc.selectedItem())) {
            emit editRequested(memo);
            return;
        }
        break;
    case Qt::Key_Escape:
        if (insertKind_) {
            setInsertKind(std::nullopt);
            return;
        }
        if (hasSelection) {
            doc.setSelection({});
            return;
        }
        // Nothing to cancel here: the window closes, as Escape does everywhere.
        event->ignore();
        return;
    default:
        break;
    }
    if (!delta.isNull() && hasSelection) {
        if (resize)
            doc.resizeSelection(delta.x(), delta.y());
        else
            doc.moveSelection(delta.x(), delta.y());
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        QList<ReportItem*> all;
        for (ReportBand* band : doc.orderedBands()) {
            for (ReportView* view : band->views())
                all.append(view);
        }
        doc.setSelection(all);
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void DesignerView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        setZoom(zoom_ * (event->angleDelta().y() > 0 ? 1.25 : 0.8));
        return;
    }
    QGraphicsView::wheelEvent(event);
}

}  // namespace report

#pragma once

#include "DesignerDocument.h"

#include <QGraphicsView>
#include <QPointer>

#include <optional>

namespace report {

class DesignerScene;

// The page on screen, and everything the mouse and the keyboard do to it:
// select, move and resize objects (snapped to the grid), resize bands by
// their lower edge, place new objects. The arrow keys move the selection by
// one grid step (Ctrl: by one unit); with Shift they resize it.
class DesignerView : public QGraphicsView {
    Q_OBJECT

public:
    DesignerView(DesignerScene& scene, QWidget* parent = nullptr);

    DesignerScene& designerScene() const { return scene_; }
    DesignerDocument& document() const;

    double zoom() const { return zoom_; }
    void setZoom(double zoom);

    // The next click on a band places an object of this kind there.
    void setInsertKind(std::optional<DesignerDocument::ViewKind> kind);
    std::optional<DesignerDocument::ViewKind> insertKind() const { return insertKind_; }

    // Shows the top of the page.
    void showPageTop();

    // Viewport coordinates of a scene point, for tests that click.
    QPoint viewportPoint(const QPointF& scenePos) const;

signals:
    void editRequested(report::ReportView* view);
    void viewInserted(report::ReportView* view);
    void insertKindChanged();
    void zoomChanged(double zoom);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Drag { None, Move, Resize, BandHeight };

    int handleAt(const QPoint& viewportPos) const;
    bool onBandEdge(const QPoint& viewportPos, ReportBand** band) const;
    void updateCursor(const QPoint& viewportPos);
    void dragTo(const QPointF& scenePos);
    void finishDrag(const QPointF& scenePos);

    DesignerScene& scene_;
    double zoom_ = 1.0;
    std::optional<DesignerDocument::ViewKind> insertKind_;

    Drag drag_ = Drag::None;
    bool dragMoved_ = false;
    QPointF dragStart_;
    int handle_ = -1;
    QList<QPointer<ReportView>> dragViews_;
    QList<QRectF> dragStartRects_;  // in their bands
    QList<QRectF> dragRects_;
    QPointer<ReportBand> dragBand_;
    double dragStartHeight_ = 0;
    double dragHeight_ = 0;
};

}  // namespace report

#pragma once

#include <QGraphicsItem>
#include <QPointer>

namespace report {

class DesignerDocument;
class ReportBand;
class ReportPage;
class ReportView;

// The paper of the current page with its margins, in report units.
class PageItem : public QGraphicsItem {
public:
    PageItem(const ReportPage& page, double height);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QRectF paper_;
    QRectF printable_;
};

// A band: its caption strip above, its body below; its origin is the body's
// top-left corner, where the band's objects are placed.
class BandItem : public QGraphicsItem {
public:
    BandItem(const DesignerDocument& document, ReportBand& band, double width);

    ReportBand* band() const { return band_; }
    QRectF bodyRect() const;
    QRectF captionRect() const;
    // While the user drags the band's lower edge.
    void setPreviewHeight(double height);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    const DesignerDocument& document_;
    QPointer<ReportBand> band_;
    double width_;
    double height_;
};

// An object of a band, drawn the way it prints, with its expressions shown
// as written. Its position is the object's place in the band.
class ViewItem : public QGraphicsItem {
public:
    explicit ViewItem(ReportView& view);

    ReportView* view() const { return view_; }
    // The object's rectangle in the band, or the one being dragged.
    QRectF viewRect() const;
    void setPreviewRect(const QRectF& rectInBand);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QPointer<ReportView> view_;
    QRectF preview_;
    bool previewing_ = false;
};

}  // namespace report

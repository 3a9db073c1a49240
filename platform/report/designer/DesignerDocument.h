#pragma once

#include "platform/report/ReportBand.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QUndoStack>
#include <QVariant>

namespace report {

class Report;
class ReportItem;
class ReportPage;
class ReportTemplate;
class ReportView;
class MemoView;
struct PropertyChange;

// The template being designed, the page shown, the selection and the undo
// history. Every change goes through here as one undoable step, so the scene,
// the property panel and the window only read the template and ask for edits.
// It edits the report's own template in place: what the designer shows is
// what the report previews and saves.
class DesignerDocument : public QObject {
    Q_OBJECT

public:
    enum class ViewKind { Memo, Line, Shape, Picture };

    explicit DesignerDocument(Report& report, QObject* parent = nullptr);
    ~DesignerDocument() override;

    Report& report() const { return report_; }
    ReportTemplate& reportTemplate() const;
    QUndoStack& undoStack() { return undoStack_; }

    // --- pages
    QList<ReportPage*> pages() const;
    ReportPage* page() const;
    int currentPageIndex() const { return pageIndex_; }
    void setCurrentPage(int index);

    // --- selection: bands and objects of the current page
    QList<ReportItem*> selection() const;
    void setSelection(const QList<ReportItem*>& items);
    void select(ReportItem* item) { setSelection(item ? QList<ReportItem*>{item} : QList<ReportItem*>{}); }
    void toggleSelected(ReportItem* item);
    bool isSelected(const ReportItem* item) const;
    // The one selected item, or nullptr when none or several are selected.
    ReportItem* selectedItem() const;
    QList<ReportView*> selectedViews() const;
    QList<ReportBand*> selectedBands() const;

    // --- the page as the designer stands it
    // Bands in their order on the page and where each stands, stacked below
    // its caption strip, in report units from the top of the printable area.
    QList<ReportBand*> orderedBands() const;
    double bandTop(const ReportBand* band) const;
    // Data bands of every page, for aggregates.
    QList<ReportBand*> dataBands() const;
    // Names the template can read data by: bound datasets, then those the
    // template declares, without repeats.
    QStringList datasetNames() const;
    QStringList fieldNames(const QString& datasetName) const;

    // --- edits, one undo step each
    ReportBand* addBand(ReportBand::Kind kind);
    // at: the object's top-left corner inside the band, snapped to the grid.
    ReportView* addView(ViewKind kind, ReportBand* band, const QPointF& at);
    void deleteSelection();
    // Arrow keys; a run of them is undone as one step.
    void moveSelection(double dx, double dy);
    void resizeSelection(double dw, double dh);
    // The end of a drag with the mouse: new places and sizes of objects,
    // optionally in another band.
    void placeViews(const QList<ReportView*>& views, const QList<QRectF>& rects, ReportBand* band = nullptr);
    bool setBandHeight(ReportBand* band, double height);
    // Writes one property. Font properties make the font the item's own,
    // starting from the font it inherited; a page's orientation and paper
    // size set its paper's width and height too. False when nothing changed.
    bool setProperty(QObject* target, const QByteArray& property, const QVariant& value);
    void setMemoText(MemoView* memo, const QString& text);
    void setPictureData(ReportView* picture, const QByteArray& data);

    void undo();
    void redo();
    bool isModified() const { return !undoStack_.isClean(); }
    void setSaved() { undoStack_.setClean(); }
    // Forgets the history; the template's items are the report's again.
    void clearHistory();

signals:
    // The template changed: through an edit, undo or redo.
    void changed();
    void selectionChanged();
    void currentPageChanged();

private:
    void push(QUndoCommand* command);
    void dropStaleSelection();
    bool isOnCurrentPage(const ReportItem* item) const;
    ReportBand* bandOf(const ReportItem* item) const;
    // Changes that stand the bands in this order with these heights.
    QList<PropertyChange> restack(const QList<ReportBand*>& order, ReportBand* resized = nullptr,
                                  double height = 0) const;
    QList<PropertyChange> fontChanges(QObject* target, const QByteArray& property, const QVariant& value) const;
    QList<PropertyChange> pageChanges(ReportPage* page, const QByteArray& property, const QVariant& value) const;

    Report& report_;
    QUndoStack undoStack_;
    int pageIndex_ = 0;
    QList<QPointer<ReportItem>> selection_;
};

}  // namespace report

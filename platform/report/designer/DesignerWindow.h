#pragma once

#include "DesignerDocument.h"

#include "platform/ui/Form.h"

#include <QByteArray>

class QAction;
class QLabel;
class QMenu;
class QTabBar;

namespace report {

class DesignerScene;
class DesignerView;
class MemoView;
class PictureView;
class PropertyPanel;
class Report;
class ReportDesigner;

// The designer window ("Rapor Tasarımı"): the page with its bands and
// objects, the property panel, and the commands to add bands and objects,
// edit texts, undo, preview and save. It edits the report's template in
// place; closing it without saving puts back what was last saved, so the
// report in memory and its file always agree.
class DesignerWindow : public ui::Form {
    Q_OBJECT

public:
    DesignerWindow(Report& report, const ReportDesigner& designer, QWidget* owner = nullptr);
    ~DesignerWindow() override;

    DesignerDocument& document() const { return *document_; }
    DesignerScene& scene() const { return *scene_; }
    DesignerView& view() const { return *view_; }
    PropertyPanel& propertyPanel() const { return *panel_; }

    QAction* saveAction() const { return saveAction_; }
    QAction* saveAsAction() const { return saveAsAction_; }
    QAction* previewAction() const { return previewAction_; }
    QAction* closeAction() const { return closeAction_; }
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    QAction* deleteAction() const { return deleteAction_; }
    QAction* editTextAction() const { return editTextAction_; }
    QAction* insertAction(DesignerDocument::ViewKind kind) const;
    QAction* addBandAction(ReportBand::Kind kind) const;
    QMenu* bandMenu() const { return bandMenu_; }

    // The commands behind the actions. Saving returns false when it did not
    // happen (the user cancelled the file name, or writing failed).
    bool save();
    bool saveAs();
    void preview();
    // Opens the text window on the memo; true when its text was changed.
    bool editMemoText(MemoView* memo);
    // Asks for an image file and puts it into the picture.
    void choosePicture(PictureView* picture);

protected:
    void formShow() override;
    bool formClose() override;

private:
    void buildActions();
    void buildLayout();
    void documentChanged();
    void selectionChanged();
    void updateActions();
    void updateTitle();
    void updateStatus();
    void updatePageTabs();
    bool saveTo(const QString& path);
    // A value still being typed in the property panel is applied first.
    void commitPendingEdit();
    // The template as it was last saved (or as the designer found it).
    void rememberSaved();
    void restoreSaved();

    Report& report_;
    const ReportDesigner& designer_;
    DesignerDocument* document_;
    DesignerScene* scene_;
    DesignerView* view_;
    PropertyPanel* panel_;
    QTabBar* pageTabs_;
    QLabel* status_;

    QAction* saveAction_;
    QAction* saveAsAction_;
    QAction* previewAction_;
    QAction* closeAction_;
    QAction* undoAction_;
    QAction* redoAction_;
    QAction* deleteAction_;
    QAction* editTextAction_;
    QAction* selectAllAction_;
    QAction* zoomInAction_;
    QAction* zoomOutAction_;
    QAction* zoomResetAction_;
    QList<QPair<DesignerDocument::ViewKind, QAction*>> insertActions_;
    QList<QPair<ReportBand::Kind, QAction*>> bandActions_;
    QMenu* bandMenu_;

    QByteArray saved_;
    bool savedEmpty_ = false;
    // A new report whose default page was never saved.
    bool startedNew_ = false;
};

}  // namespace report

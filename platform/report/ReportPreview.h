#pragma once

#include <QDialog>
#include <QWidget>

class QAction;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolBar;

namespace report {

class Report;

// One prepared page on white paper at a zoom; 1.0 shows a report unit as one pixel.
class ReportPageView : public QWidget {
    Q_OBJECT

public:
    explicit ReportPageView(const Report& report, QWidget* parent = nullptr);

    int page() const { return page_; }
    void setPage(int page);
    double zoom() const { return zoom_; }
    void setZoom(double zoom);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Report& report_;
    int page_ = 0;
    double zoom_ = 1.0;
};

// The preview window: page navigation, zoom, print and export to PDF.
// It only shows pages already prepared; Report::showPreview prepares them.
class ReportPreview : public QDialog {
    Q_OBJECT

public:
    explicit ReportPreview(Report& report, QWidget* parent = nullptr);

    int pageCount() const;
    int currentPage() const { return view_->page(); }  // 0-based
    double zoom() const { return view_->zoom(); }
    ReportPageView* pageView() const { return view_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* printAction() const { return printAction_; }
    QAction* exportAction() const { return exportAction_; }

public slots:
    void setCurrentPage(int page);
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void fitPageWidth();
    void fitWholePage();
    // The print dialog always opens here: whoever prints from a preview
    // chooses the printer, whatever the last silent print used.
    void print();
    void exportToPdf();

signals:
    void currentPageChanged(int page);

private:
    void updateControls();

    Report& report_;
    ReportPageView* view_;
    QScrollArea* scroll_;
    QToolBar* toolBar_;
    QSpinBox* pageBox_;
    QLabel* pageCountLabel_;
    QLabel* zoomLabel_;
    QAction* firstAction_;
    QAction* previousAction_;
    QAction* nextAction_;
    QAction* lastAction_;
    QAction* printAction_;
    QAction* exportAction_;
};

}  // namespace report

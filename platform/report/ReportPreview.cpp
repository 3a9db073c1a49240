#include "ReportPreview.h"

#include "Report.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

namespace report {

namespace {

constexpr double minZoom = 0.1;
constexpr double maxZoom = 8.0;
constexpr int paperMargin = 12;  // grey around the paper, in pixels

}  // namespace

ReportPageView::ReportPageView(const Report& report, QWidget* parent) : QWidget(parent), report_(report)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReportPageView::setPage(int page)
{
    page_ = page;
    updateGeometry();
    resize(sizeHint());
    update();
}

void ReportPageView::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, minZoom, maxZoom);
    updateGeometry();
    resize(sizeHint());
    update();
}

QSize ReportPageView::sizeHint() const
{
    if (page_ < 0 || page_ >= report_.pageCount())
        return QSize(2 * paperMargin, 2 * paperMargin);
    const QSizeF size = report_.preparedPages().page(page_).size() * zoom_;
    return QSize(int(std::ceil(size.width())) + 2 * paperMargin, int(std::ceil(size.height())) + 2 * paperMargin);
}

void ReportPageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    if (page_ < 0 || page_ >= report_.pageCount())
        return;
    const QSizeF size = report_.preparedPages().page(page_).size() * zoom_;
    const QRectF paper(paperMargin, paperMargin, size.width(), size.height());
    painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 60));
    painter.fillRect(paper, Qt::white);
    painter.translate(paper.topLeft());
    painter.scale(zoom_, zoom_);
    painter.setClipRect(QRectF(QPointF(0, 0), size / zoom_));
    report_.paintPage(page_, painter);
}

ReportPreview::ReportPreview(Report& report, QWidget* parent) : QDialog(parent), report_(report)
{
    setWindowTitle(report.fileName().isEmpty()
                       ? QStringLiteral("Önizleme")
                       : QStringLiteral("Önizleme - %1").arg(QFileInfo(report.fileName()).completeBaseName()));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setModal(true);

    toolBar_ = new QToolBar(this);
    printAction_ = toolBar_->addAction(QStringLiteral("Yazdır"), this, &ReportPreview::print);
    exportAction_ = toolBar_->addAction(QStringLiteral("PDF'e Aktar"), this, &ReportPreview::exportToPdf);
    toolBar_->addSeparator();
    toolBar_->addAction(QStringLiteral("Yakınlaştır"), this, &ReportPreview::zoomIn);
    toolBar_->addAction(QStringLiteral("Uzaklaştır"), this, &ReportPreview::zoomOut);
    toolBar_->addAction(QStringLiteral("Sayfa Genişliği"), this, &ReportPreview::fitPageWidth);
    toolBar_->addAction(QStringLiteral("Tüm Sayfa"), this, &ReportPreview::fitWholePage);
    zoomLabel_ = new QLabel(this);
    toolBar_->addWidget(zoomLabel_);
    toolBar_->addSeparator();
    firstAction_ = toolBar_->addAction(style()->standardIcon(QStyle::SP_MediaSkipBackward), QStringLiteral("İlk Sayfa"),
                                       this, &ReportPreview::firstPage);
    previousAction_ = toolBar_->addAction(style()->standardIcon(QStyle::SP_MediaSeekBackward),
                                          QStringLiteral("Önceki Sayfa"), this, &ReportPreview::previousPage);
    pageBox_ = new QSpinBox(this);
    pageBox_->setAccessibleName(QStringLiteral("Sayfa"));
    toolBar_->addWidget(pageBox_);
    pageCountLabel_ = new QLabel(this);
    toolBar_->addWidget(pageCountLabel_);
    nextAction_ = toolBar_->addAction(style()->standardIcon(QStyle::SP_MediaSeekForward),
                                      QStringLiteral("Sonraki Sayfa"), this, &ReportPreview::nextPage);
    lastAction_ = toolBar_->addAction(style()->standardIcon(QStyle::SP_MediaSkipForward), QStringLiteral("Son Sayfa"),
                                      this, &ReportPreview::lastPage);
    toolBar_->addSeparator();
    toolBar_->addAction(QStringLiteral("Kapat"), this, &QDialog::reject);

    view_ = new ReportPageView(report_, this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Mid);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(scroll_);

    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int value) { setCurrentPage(value - 1); });
    resize(900, 700);
    view_->setZoom(report_.previewZoom());
    setCurrentPage(0);
}

int ReportPreview::pageCount() const
{
    return report_.pageCount();
}

void ReportPreview::setCurrentPage(int page)
{
    const int count = pageCount();
    page = count == 0 ? 0 : std::clamp(page, 0, count - 1);
    const bool changed = page != view_->page();
    view_->setPage(page);
    scroll_->verticalScrollBar()->setValue(0);
    updateControls();
    if (changed)
        emit currentPageChanged(page);
}

void ReportPreview::firstPage() { setCurrentPage(0); }
void ReportPreview::previousPage() { setCurrentPage(currentPage() - 1); }
void ReportPreview::nextPage() { setCurrentPage(currentPage() + 1); }
void ReportPreview::lastPage() { setCurrentPage(pageCount() - 1); }

void ReportPreview::setZoom(double zoom)
{
    view_->setZoom(zoom);
    updateControls();
}

void ReportPreview::zoomIn() { setZoom(zoom() * 1.25); }
void ReportPreview::zoomOut() { setZoom(zoom() / 1.25); }

void ReportPreview::fitPageWidth()
{
    if (pageCount() == 0)
        return;
    const double width = report_.preparedPages().page(currentPage()).size().width();
    const int available = scroll_->viewport()->width() - 2 * paperMargin;
    setZoom(available / width);
}

void ReportPreview::fitWholePage()
{
    if (pageCount() == 0)
        return;
    const QSizeF size = report_.preparedPages().page(currentPage()).size();
    const QSize available = scroll_->viewport()->size() - QSize(2 * paperMargin, 2 * paperMargin);
    setZoom(std::min(available.width() / size.width(), available.height() / size.height()));
}

void ReportPreview::print()
{
    report_.printWithDialog(this);
}

void ReportPreview::exportToPdf()
{
    const QString suggested = report_.fileName().isEmpty()
        ? QStringLiteral("Rapor.pdf")
        : QFileInfo(report_.fileName()).completeBaseName() + QStringLiteral(".pdf");
    const QString path = report_.pdfFileNameHandler()(this, suggested);
    if (!path.isEmpty())
        report_.exportToPdf(path);
}

void ReportPreview::updateControls()
{
    const int count = pageCount();
    const QSignalBlocker block(pageBox_);
    pageBox_->setRange(count == 0 ? 0 : 1, std::max(count, 0));
    pageBox_->setValue(count == 0 ? 0 : currentPage() + 1);
    pageCountLabel_->setText(QStringLiteral(" / %1 ").arg(count));
    zoomLabel_->setText(QStringLiteral(" %%1 ").arg(std::lround(zoom() * 100)));
    firstAction_->setEnabled(currentPage() > 0);
    previousAction_->setEnabled(currentPage() > 0);
    nextAction_->setEnabled(currentPage() + 1 < count);
    lastAction_->setEnabled(currentPage() + 1 < count);
    printAction_->setEnabled(count > 0);
    exportAction_->setEnabled(count > 0);
}

}  // namespace report

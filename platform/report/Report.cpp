#include "Report.h"

#include "platform/ui/Modal.h"

#include "ReportDataset.h"
#include "ReportError.h"
#include "ReportPreview.h"
#include "TemplateReader.h"
#include "TemplateWriter.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSet>

namespace report {

namespace {

QPageLayout layoutOf(const PreparedPage& page)
{
    const double width = page.paperMm.width();
    const double height = page.paperMm.height();
    const bool landscape = width > height;
    const QSizeF portrait = landscape ? QSizeF(height, width) : QSizeF(width, height);
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// Paints pages on any paged device whose page size may change between pages.
template <typename Device>
void paintPages(const PreparedReport& pages, Device& device, int first, int last, const QString& target)
{
    QPainter painter;
    for (int i = first; i <= last; ++i) {
        device.setPageLayout(layoutOf(pages.page(i)));
        if (i == first) {
            if (!painter.begin(&device))
                throw ReportError(QStringLiteral("%1 üzerine basılamıyor").arg(target));
        } else if (!device.newPage()) {
            throw ReportError(QStringLiteral("%1 üzerinde yeni sayfaya geçilemiyor").arg(target));
        }
        painter.resetTransform();
        const double scale = device.resolution() / 96.0;
        painter.scale(scale, scale);
        pages.paintPage(i, painter);
    }
    if (painter.isActive())
        painter.end();
}

}  // namespace

Report::Report(QObject* parent) : QObject(parent)
{
    printerFactory_ = &Report::systemPrinter;
    printDialogHandler_ = [](QPrinter& printer, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        return ui::execModal(dialog) == QDialog::Accepted;
    };
    pdfFileNameHandler_ = [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("PDF Olarak Kaydet"), suggested,
                                            QStringLiteral("PDF (*.pdf)"));
    };
}

Report::~Report() = default;

void Report::setDataset(const QString& userName, ReportDataset* dataset, const QString& componentName)
{
    for (int i = 0; i < bindings_.size(); ++i) {
        if (bindings_[i].alias.compare(userName, Qt::CaseInsensitive) == 0) {
            if (dataset)
                bindings_[i] = {userName, componentName, dataset};
            else
                bindings_.removeAt(i);
            return;
        }
    }
    if (dataset)
        bindings_.append({userName, componentName, dataset});
}

ReportDataset* Report::dataset(const QString& userName) const
{
    for (const DatasetBinding& binding : bindings_) {
        if (binding.alias.compare(userName, Qt::CaseInsensitive) == 0)
            return binding.dataset;
    }
    return nullptr;
}

QStringList Report::datasetNames() const
{
    QStringList names;
    for (const DatasetBinding& binding : bindings_)
        names.append(binding.alias);
    return names;
}

void Report::clear()
{
    template_.clear();
    fileName_.clear();
    prepared_.clear();
    messages_.clear();
}

void Report::loadFromFile(const QString& path)
{
    clear();
    if (!QFileInfo(path).isFile())
        return;
    const LoadResult result = TemplateReader::readFile(path, template_);
    if (!result.ok)
        throw ReportError(result.message, result.line, result.column, QFileInfo(path).fileName());
    fileName_ = path;
    emit loaded();
}

void Report::loadFromData(const QByteArray& data)
{
    clear();
    const LoadResult result = TemplateReader::read(data, template_);
    if (!result.ok)
        throw ReportError(result.message, result.line, result.column);
    emit loaded();
}

void Report::saveToFile(const QString& path)
{
    TemplateWriter::writeFile(template_, path);
    fileName_ = path;
}

void Report::prepare()
{
    prepared_.clear();
    messages_.clear();
    // Each dataset hears once that a run reads it, however many names it has.
    QList<ReportDataset*> datasets;
    for (const DatasetBinding& binding : bindings_) {
        if (!datasets.contains(binding.dataset))
            datasets.append(binding.dataset);
    }
    for (ReportDataset* dataset : datasets)
        dataset->beginReport();
    struct EndReport {
        QList<ReportDataset*>& datasets;
        ~EndReport()
        {
            for (ReportDataset* dataset : datasets)
                dataset->endReport();
        }
    } end{datasets};
    ReportEngine::Settings settings;
    settings.locale = QLocale();
    ReportEngine engine(template_, bindings_, settings);
    prepared_ = engine.run();
    messages_ = engine.messages();
    emit prepared();
}

void Report::showPreview(QWidget* parent)
{
    prepare();
    ReportPreview preview(*this, parent);
    // Through the program's one way of showing a window modally, which
    // tests take over.
    ui::execModal(preview);
}

void Report::print(QWidget* dialogParent)
{
    if (prepared_.pageCount() == 0)
        return;
    std::unique_ptr<QPrinter> printer = printerFactory_(printerName_);
    if (showPrintDialog_ && !printDialogHandler_(*printer, dialogParent))
        return;
    printTo(*printer);
}

void Report::printWithDialog(QWidget* parent)
{
    if (prepared_.pageCount() == 0)
        return;
    std::unique_ptr<QPrinter> printer = printerFactory_(printerName_);
    if (!printDialogHandler_(*printer, parent))
        return;
    printTo(*printer);
}

void Report::printTo(QPrinter& printer) const
{
    if (prepared_.pageCount() == 0)
        return;
    int first = 0;
    int last = prepared_.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage() - 1, 0, last);
        last = std::clamp(printer.toPage() > 0 ? printer.toPage() - 1 : last, first, last);
    }
    if (printer.docName().isEmpty())
        printer.setDocName(fileName_.isEmpty() ? QStringLiteral("Rapor") : QFileInfo(fileName_).completeBaseName());
    printer.setFullPage(true);
    const QString target = printer.outputFileName().isEmpty() ? QStringLiteral("\"%1\" yazıcısı").arg(printer.printerName())
                                                              : printer.outputFileName();
    paintPages(prepared_, printer, first, last, target);
}

void Report::exportToPdf(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Tavlora Free"));
    writer.setTitle(fileName_.isEmpty() ? QStringLiteral("Rapor") : QFileInfo(fileName_).completeBaseName());
    if (prepared_.pageCount() == 0) {
        // An empty report still gives a valid file: one blank page.
        QPainter painter;
        if (!painter.begin(&writer))
            throw ReportError(QStringLiteral("\"%1\" yazılamıyor").arg(path));
        painter.end();
        return;
    }
    paintPages(prepared_, writer, 0, prepared_.pageCount() - 1, QStringLiteral("\"%1\"").arg(path));
}

void Report::design(QWidget* parent)
{
    if (designHandler_)
        designHandler_(*this, parent);
}

void Report::setPrinterFactory(PrinterFactory factory)
{
    printerFactory_ = factory ? std::move(factory) : PrinterFactory(&Report::systemPrinter);
}

void Report::setPrintDialogHandler(PrintDialogHandler handler)
{
    if (handler)
        printDialogHandler_ = std::move(handler);
}

void Report::setPdfFileNameHandler(FileNameHandler handler)
{
    if (handler)
        pdfFileNameHandler_ = std::move(handler);
}

std::unique_ptr<QPrinter> Report::systemPrinter(const QString& name)
{
    QPrinterInfo info;
    if (!name.trimmed().isEmpty() && name.compare(QLatin1String("Default"), Qt::CaseInsensitive) != 0)
        info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (!printers.isEmpty())
            info = printers.first();
    }
    // Qt would quietly "print" into a PDF no one asked for; a clear error is better.
    if (info.isNull())
        throw ReportError(QStringLiteral("Kurulu yazıcı bulunamadı."));
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

}  // namespace report

#pragma once

#include "PreparedReport.h"
#include "ReportEngine.h"
#include "ReportError.h"
#include "ReportTemplate.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace report {

class ReportDataset;

// A report: one loaded template at a time, the datasets it reads under their
// user names, and the pages last prepared from them, which it previews,
// prints and exports to PDF.
//
// Printing goes to the printer named in printerName() ("Default", empty or an
// unknown name: the system's default printer), with or without the print
// dialog. The printer, the print dialog, the PDF file name asked in the
// preview and the designer are all replaceable, so tests need no printer and
// no user.
class Report : public QObject {
    Q_OBJECT

public:
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>(const QString& printerName)>;
    using PrintDialogHandler = std::function<bool(QPrinter& printer, QWidget* parent)>;
    using FileNameHandler = std::function<QString(QWidget* parent, const QString& suggested)>;
    using DesignHandler = std::function<void(Report& report, QWidget* parent)>;

    explicit Report(QObject* parent = nullptr);
    ~Report() override;

    // --- data
    // Binds a dataset to the name templates use for it ("Ds_1"); names match
    // without regard to case. componentName is the name older templates give
    // their data bands instead ("dt_1"). nullptr unbinds. The report never
    // owns, closes or changes a dataset.
    void setDataset(const QString& userName, ReportDataset* dataset, const QString& componentName = {});
    ReportDataset* dataset(const QString& userName) const;
    QStringList datasetNames() const;

    // --- template
    // Empties the report: no template, no prepared pages, no file name.
    void clear();
    // Empties the report, then loads the file. A missing file leaves the
    // report empty and is not an error; a file that cannot be read as a
    // template throws ReportError with the line and column where reading stopped.
    void loadFromFile(const QString& path);
    void loadFromData(const QByteArray& data);
    void saveToFile(const QString& path);
    QString fileName() const { return fileName_; }
    // Where the designer saves: a template that did not exist yet is saved
    // where it was looked for.
    void setFileName(const QString& path) { fileName_ = path; }
    ReportTemplate& reportTemplate() { return template_; }
    const ReportTemplate& reportTemplate() const { return template_; }
    bool isEmpty() const { return template_.isEmpty(); }
    // What the loaded template holds that the engine keeps but does not use.
    QStringList notUnderstood() const { return template_.notUnderstood(); }

    // --- running
    // Builds the pages afresh from the template and the bound data.
    void prepare();
    const PreparedReport& preparedPages() const { return prepared_; }
    int pageCount() const { return prepared_.pageCount(); }
    // See PreparedReport::paintPage: the painter works in report units.
    void paintPage(int page, QPainter& painter) const { prepared_.paintPage(page, painter); }
    // Expressions that could not be evaluated in the last prepare, once each.
    QStringList messages() const { return messages_; }

    // --- output
    // Prepares afresh and shows the pages in the modal preview window.
    void showPreview(QWidget* parent = nullptr);
    // Sends the prepared pages to printerName(), asking first when
    // showPrintDialog() is on. Nothing happens when no page is prepared.
    void print(QWidget* dialogParent = nullptr);
    // Asks with the print dialog (preset to printerName()), then prints.
    void printWithDialog(QWidget* parent = nullptr);
    // Writes the prepared pages into a PDF file; throws ReportError when it cannot.
    void exportToPdf(const QString& path) const;
    // Prints the prepared pages on a printer that is already set up.
    void printTo(QPrinter& printer) const;
    // Opens the designer, when one is installed, and waits until it closes.
    void design(QWidget* parent = nullptr);

    // --- options
    QString printerName() const { return printerName_; }
    void setPrinterName(const QString& name) { printerName_ = name; }
    bool showPrintDialog() const { return showPrintDialog_; }
    void setShowPrintDialog(bool show) { showPrintDialog_ = show; }
    double previewZoom() const { return previewZoom_; }
    void setPreviewZoom(double zoom) { previewZoom_ = zoom; }

    void setPrinterFactory(PrinterFactory factory);
    void setPrintDialogHandler(PrintDialogHandler handler);
    void setPdfFileNameHandler(FileNameHandler handler);
    FileNameHandler pdfFileNameHandler() const { return pdfFileNameHandler_; }
    void setDesignHandler(DesignHandler handler) { designHandler_ = std::move(handler); }
    bool hasDesigner() const { return bool(designHandler_); }

    // The system printer for a name: the named one when it exists, otherwise
    // the default one. Throws ReportError when no printer is installed.
    static std::unique_ptr<QPrinter> systemPrinter(const QString& name);

signals:
    void loaded();
    void prepared();

private:
    ReportTemplate template_;
    QString fileName_;
    QList<DatasetBinding> bindings_;
    PreparedReport prepared_;
    QStringList messages_;
    QString printerName_ = QStringLiteral("Default");
    bool showPrintDialog_ = true;
    double previewZoom_ = 1.0;
    PrinterFactory printerFactory_;
    PrintDialogHandler printDialogHandler_;
    FileNameHandler pdfFileNameHandler_;
    DesignHandler designHandler_;
};

}  // namespace report

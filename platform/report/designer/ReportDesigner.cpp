#include "ReportDesigner.h"

#include "DesignerWindow.h"

#include "platform/report/Report.h"
#include "platform/report/ReportTemplate.h"
#include "platform/report/TemplateWriter.h"
#include "platform/ui/Modal.h"

#include <QFileDialog>

namespace report {

ReportDesigner::ReportDesigner(QObject* parent) : QObject(parent)
{
    saveFileName_ = [this](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(
            parent, QStringLiteral("Farklı Kaydet"), suggested,
            QStringLiteral("Rapor şablonu (*.%1)").arg(defaults_.templateExtension));
    };
    imageFileName_ = [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Resim Seç"), suggested,
                                            QStringLiteral("Resimler (*.png *.jpg *.jpeg *.bmp *.gif)"));
    };
}

ReportDesigner::~ReportDesigner()
{
    detach();
}

void ReportDesigner::attach(Report& report)
{
    detach();
    report_ = &report;
    // The report may outlive the designer: the handler checks it is still there.
    QPointer<ReportDesigner> self = this;
    report.setDesignHandler([self](Report& r, QWidget* parent) {
        if (self)
            self->design(r, parent);
    });
}

void ReportDesigner::detach()
{
    if (report_)
        report_->setDesignHandler({});
    report_ = nullptr;
}

void ReportDesigner::design(Report& report, QWidget* parent)
{
    DesignerWindow window(report, *this, parent);
    ui::execModal(window);
}

void ReportDesigner::setSaveFileNameHandler(FileNameHandler handler)
{
    if (handler)
        saveFileName_ = std::move(handler);
}

void ReportDesigner::setImageFileNameHandler(FileNameHandler handler)
{
    if (handler)
        imageFileName_ = std::move(handler);
}

void ReportDesigner::startNewReport(ReportTemplate& report) const
{
    if (!report.pages().isEmpty())
        return;
    // Whatever a template without pages still holds (a script, dialog pages) stays.
    if (TemplateWriter::write(report) == TemplateWriter::write(ReportTemplate())) {
        report.setProperty("scriptLanguage", defaults_.scriptLanguage);
        // The empty script block the format's own designer writes.
        report.setProperty("scriptText", QStringLiteral("begin\n\nend."));
    }
    auto* page = new ReportPage(&report);
    page->setElementName(QStringLiteral("TfrxReportPage"));
    page->setObjectName(QStringLiteral("Page1"));
    const bool landscape = defaults_.orientation == ReportPage::poLandscape;
    const double width = landscape ? std::max(defaults_.paperWidth, defaults_.paperHeight)
                                   : std::min(defaults_.paperWidth, defaults_.paperHeight);
    const double height = landscape ? std::min(defaults_.paperWidth, defaults_.paperHeight)
                                    : std::max(defaults_.paperWidth, defaults_.paperHeight);
    page->setPaper(width, height, defaults_.paperSize);
    page->setMarginsMm(defaults_.marginsMm);
    // Written into the file, so the report keeps its font wherever it is opened.
    page->setOwnFont(defaults_.font);
}

}  // namespace report

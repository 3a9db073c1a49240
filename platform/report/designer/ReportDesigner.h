#pragma once

#include "platform/report/Report.h"
#include "platform/report/ReportItem.h"
#include "platform/report/ReportPage.h"

#include <QMarginsF>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace report {

class ReportTemplate;

// What a new report starts with: the designer's defaults.
struct NewReportDefaults {
    QString scriptLanguage = QStringLiteral("PascalScript");
    ItemFont font;  // Arial 10 pt (height -13 at 96 dpi)
    QMarginsF marginsMm{10, 10, 10, 10};
    int paperSize = 9;  // A4
    double paperWidth = 210;
    double paperHeight = 297;
    ReportPage::Orientation orientation = ReportPage::poPortrait;
    QString templateExtension = QStringLiteral("fr3");
    bool rightToLeft = false;
};

// The report designer as a component: attached to a report, it makes
// Report::design open the designer window modally on the report's template.
// It holds the defaults for new reports and the file dialogs of the designer,
// which tests replace.
class ReportDesigner : public QObject {
    Q_OBJECT

public:
    // The file the user chose, or empty when they cancelled.
    using FileNameHandler = std::function<QString(QWidget* parent, const QString& suggested)>;

    explicit ReportDesigner(QObject* parent = nullptr);
    ~ReportDesigner() override;

    const NewReportDefaults& defaults() const { return defaults_; }
    void setDefaults(const NewReportDefaults& defaults) { defaults_ = defaults; }

    // From now on Report::design opens this designer; one report at a time.
    void attach(Report& report);
    void detach();
    Report* attachedReport() const { return report_; }

    // Opens the designer window on the report and returns when it is closed.
    void design(Report& report, QWidget* parent = nullptr);

    // "Farklı Kaydet": the template file to write.
    void setSaveFileNameHandler(FileNameHandler handler);
    const FileNameHandler& saveFileNameHandler() const { return saveFileName_; }
    // "Resim Seç": the image file to put into a picture object.
    void setImageFileNameHandler(FileNameHandler handler);
    const FileNameHandler& imageFileNameHandler() const { return imageFileName_; }

    // Gives a template without a page one page with the defaults; a template
    // that holds nothing at all also gets the default script language.
    void startNewReport(ReportTemplate& report) const;

private:
    NewReportDefaults defaults_;
    QPointer<Report> report_;
    FileNameHandler saveFileName_;
    FileNameHandler imageFileName_;
};

}  // namespace report

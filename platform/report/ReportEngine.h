#pragma once

#include "PreparedReport.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>

#include <memory>

namespace report {

class ReportDataset;
class ReportTemplate;

// A dataset as a report run sees it: the user name templates address it by
// (an alias such as "Ds_1") and, optionally, the component name older
// templates use for data bands.
struct DatasetBinding {
    QString alias;
    QString component;
    ReportDataset* dataset = nullptr;
};

// Lays a template out into pages with its bound data. Bands print in the
// order of their kind; headers, footers and group bands belong to the data
// band nearest them in vertical order; data bands print once per row; a band
// that does not fit starts a new page with the page footer below and the page
// header (and headers marked to reprint) above. Roll paper never breaks.
//
// Expressions that cannot be evaluated print nothing and are listed once in
// messages(); the run goes on. Only runaway reports stop it (ReportError).
class ReportEngine {
public:
    struct Settings {
        // Runaway templates (rows within rows, bands of no height) stop here.
        int maxPages = 10000;
        int maxRows = 1000000;
        int maxItems = 500000;
        QLocale locale;
        QDateTime now = QDateTime::currentDateTime();
    };

    ReportEngine(const ReportTemplate& report, QList<DatasetBinding> bindings, Settings settings);
    ~ReportEngine();

    PreparedReport run();
    QStringList messages() const;

private:
    class Run;
    const ReportTemplate& report_;
    QList<DatasetBinding> bindings_;
    Settings settings_;
    QStringList messages_;
};

}  // namespace report

// Makes the designer's picture for the docs folder:
//   designer_screenshot <template> <png> [object to select]
// The window is drawn off screen with QWidget::grab.
#include "platform/report/Report.h"
#include "platform/report/ReportBand.h"
#include "platform/report/ReportDataset.h"
#include "platform/report/ReportPage.h"
#include "platform/report/ReportView.h"
#include "platform/report/designer/DesignerDocument.h"
#include "platform/report/designer/DesignerWindow.h"
#include "platform/report/designer/ReportDesigner.h"

#include <QApplication>
#include <QLocale>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    if (argc < 3) {
        std::fprintf(stderr, "usage: designer_screenshot <template> <png> [object]\n");
        return 2;
    }

    // The names the program binds, with the fields of its tables.
    report::MemoryDataset bill({"ADISYON_ID", "FIS_NO", "TARIH", "ACIKLAMA"});
    report::MemoryDataset lines({"STOK_ADI", "CIKAN", "FIYAT", "TUTAR", "ISKONTO_TUTAR", "ARA_TUTAR"});
    report::MemoryDataset tables({"MASA_ID", "MASA_ADI", "TUTAR", "ACIK_KAPALI"});
    report::MemoryDataset sums({"T_TUTAR", "T_ISK", "T_ARA_TUTAR"});
    report::Report report;
    report.setDataset("Ds_1", &bill, "dt_1");
    report.setDataset("Ds_2", &lines, "dt_2");
    report.setDataset("ds_3", &tables, "dt_3");
    report.setDataset("ds_4", &sums, "dt_4");
    try {
        report.loadFromFile(QString::fromLocal8Bit(argv[1]));
    } catch (const report::ReportError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }

    report::ReportDesigner designer;
    report::DesignerWindow window(report, designer);
    window.resize(1280, 860);
    window.show();
    if (argc > 3) {
        for (report::ReportBand* band : window.document().page()->bands()) {
            for (report::ReportView* view : band->views()) {
                if (view->name() == QString::fromLocal8Bit(argv[3]))
                    window.document().select(view);
            }
        }
    }
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

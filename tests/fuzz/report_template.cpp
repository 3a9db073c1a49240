#include "FuzzApplication.h"
#include "FuzzTarget.h"

#include "platform/report/PreparedReport.h"
#include "platform/report/ReportDataset.h"
#include "platform/report/ReportEngine.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportTemplate.h"
#include "platform/report/TemplateReader.h"
#include "platform/report/TemplateWriter.h"

#include <QPainter>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <list>

namespace {

[[noreturn]] void broken(const char* what, const QByteArray& detail = {})
{
    std::fprintf(stderr, "%s\n%s\n", what, detail.constData());
    std::abort();
}

// Lays the template out with a small row set under every dataset name it
// declares, and paints each page the way preview and printing do.
void layOut(const report::ReportTemplate& read, int rows)
{
    // The fields of the shipped templates, a text, numbers, a date and a NULL.
    const QStringList fields{QStringLiteral("FIS_NO"),  QStringLiteral("MASA_ADI"), QStringLiteral("STOK_ADI"),
                             QStringLiteral("CIKAN"),   QStringLiteral("FIYAT"),    QStringLiteral("TUTAR"),
                             QStringLiteral("KASA"),    QStringLiteral("BANKA"),    QStringLiteral("T_TUTAR"),
                             QStringLiteral("TARIH"),   QStringLiteral("ACIKLAMA")};
    std::list<report::MemoryDataset> datasets;
    QList<report::DatasetBinding> bindings;
    for (const report::ReportTemplate::Dataset& declared : read.datasets()) {
        auto& data = datasets.emplace_back(fields);
        for (int i = 0; i < rows; ++i) {
            data.appendRow({QStringLiteral("A-%1").arg(i), QStringLiteral("Bahçe %1").arg(i), QStringLiteral("Çay"),
                            1.5 * i, 12.5, 18.75 * i, -3.0 * i, 1e9 * i, 0.005, QDateTime(QDate(2024, 3, 5), QTime(19, i)),
                            QVariant()});
        }
        bindings.append({declared.alias, declared.component, &data});
    }
    report::ReportEngine::Settings settings;
    // Small enough that a runaway template stops within the time of one input.
    settings.maxPages = 20;
    settings.maxRows = 200;
    settings.maxItems = 5000;
    settings.locale = QLocale(QLocale::Turkish, QLocale::Turkey);
    settings.now = QDateTime(QDate(2024, 3, 5), QTime(20, 0));
    try {
        report::ReportEngine engine(read, bindings, settings);
        const report::PreparedReport pages = engine.run();
        // The preview paints on the raster engine; a small image keeps that cheap.
        QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
        for (int i = 0; i < pages.pageCount(); ++i) {
            QPainter painter(&image);
            pages.paintPage(i, painter);
        }
    } catch (const report::ReportError&) {
        // A runaway report is refused; that is the expected way out.
    }
}

}  // namespace

// Any bytes as a template file: reading either refuses it and leaves the
// template empty, or accepts it; an accepted template is written back, read
// again to the same thing, and laid out with and without data.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::ensureApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    report::ReadLimits limits;
    limits.maxBytes = 1 << 20;
    report::ReportTemplate read;
    const report::LoadResult result = report::TemplateReader::read(bytes, read, limits);
    if (!result.ok) {
        if (!read.isEmpty() || result.message.isEmpty())
            broken("a refused template left pages behind or gave no reason");
        return 0;
    }
    const QByteArray written = report::TemplateWriter::write(read);
    report::ReportTemplate again;
    const report::LoadResult reread = report::TemplateReader::read(written, again, limits);
    if (!reread.ok)
        broken("a written template cannot be read again", (reread.toString().toUtf8() + '\n' + written));
    const QByteArray rewritten = report::TemplateWriter::write(again);
    if (rewritten != written)
        broken("writing a template read back changes it", written + "\n----\n" + rewritten);
    layOut(read, 0);
    layOut(read, 3);
    return 0;
}

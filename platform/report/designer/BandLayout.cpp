#include "BandLayout.h"

#include "platform/report/ReportPage.h"
#include "platform/report/ReportTemplate.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace report::band_layout {

QList<ReportBand*> ordered(const ReportPage& page)
{
    QList<ReportBand*> bands = page.bands();
    std::stable_sort(bands.begin(), bands.end(), [](const ReportBand* a, const ReportBand* b) {
        return a->top() < b->top();
    });
    return bands;
}

QList<double> stackedTops(const QList<ReportBand*>& bands)
{
    QList<double> tops;
    double y = 0;
    for (const ReportBand* band : bands) {
        y += CaptionHeight;
        tops.append(y);
        y += std::max(0.0, band->height());
    }
    return tops;
}

namespace {

bool isDataSection(ReportBand::Kind kind)
{
    switch (kind) {
    case ReportBand::Header:
    case ReportBand::GroupHeader:
    case ReportBand::MasterData:
    case ReportBand::DetailData:
    case ReportBand::GroupFooter:
    case ReportBand::Footer:
    case ReportBand::Child:
        return true;
    default:
        return false;
    }
}

int lastIndexOf(const QList<ReportBand*>& bands, const std::function<bool(const ReportBand*)>& test)
{
    for (int i = int(bands.size()) - 1; i >= 0; --i) {
        if (test(bands[i]))
            return i;
    }
    return -1;
}

int firstIndexOf(const QList<ReportBand*>& bands, const std::function<bool(const ReportBand*)>& test)
{
    for (int i = 0; i < bands.size(); ++i) {
        if (test(bands[i]))
            return i;
    }
    return -1;
}

bool isBottom(const ReportBand* band)
{
    return band->kind() == ReportBand::ReportSummary || band->kind() == ReportBand::PageFooter;
}

}  // namespace

int insertionIndex(const QList<ReportBand*>& bands, ReportBand::Kind kind, const ReportBand* selected)
{
    const int count = int(bands.size());
    const int lastData = lastIndexOf(bands, [](const ReportBand* b) { return b->isDataBand(); });
    const int lastMaster = lastIndexOf(bands, [](const ReportBand* b) { return b->kind() == ReportBand::MasterData; });
    const int firstBottom = firstIndexOf(bands, isBottom);
    const int endOfBody = firstBottom >= 0 ? firstBottom : count;
    switch (kind) {
    case ReportBand::ReportTitle:
        return 0;
    case ReportBand::PageHeader: {
        const int title = lastIndexOf(bands, [](const ReportBand* b) { return b->kind() == ReportBand::ReportTitle; });
        return title + 1;
    }
    case ReportBand::Header:
    case ReportBand::GroupHeader: {
        if (lastMaster < 0)
            return lastData >= 0 ? lastData : endOfBody;
        // Above the master band and above the headers already standing on it,
        // so a new header does not end up between a group header and its data.
        int at = lastMaster;
        while (at > 0 && (bands[at - 1]->kind() == ReportBand::Header || bands[at - 1]->kind() == ReportBand::GroupHeader)
               && kind == ReportBand::Header)
            --at;
        return at;
    }
    case ReportBand::MasterData: {
        const int lastSection = lastIndexOf(bands, [](const ReportBand* b) { return isDataSection(b->kind()); });
        return lastSection >= 0 ? lastSection + 1 : endOfBody;
    }
    case ReportBand::DetailData:
    case ReportBand::GroupFooter:
        return lastData >= 0 ? lastData + 1 : endOfBody;
    case ReportBand::Footer: {
        if (lastData < 0)
            return endOfBody;
        int at = lastData + 1;
        while (at < count && bands[at]->kind() == ReportBand::GroupFooter)
            ++at;
        return at;
    }
    case ReportBand::ReportSummary: {
        const int pageFooter = firstIndexOf(bands, [](const ReportBand* b) { return b->kind() == ReportBand::PageFooter; });
        return pageFooter >= 0 ? pageFooter : count;
    }
    case ReportBand::PageFooter:
        return count;
    case ReportBand::Child: {
        const int at = int(bands.indexOf(const_cast<ReportBand*>(selected)));
        return at >= 0 ? at + 1 : endOfBody;
    }
    }
    return count;
}

double printableWidth(const ReportPage& page)
{
    const QMarginsF margins = page.marginsMm();
    return std::max(0.0, (page.paperWidth() - margins.left() - margins.right()) * UnitsPerMm);
}

QString kindTitle(ReportBand::Kind kind)
{
    switch (kind) {
    case ReportBand::ReportTitle: return QStringLiteral("Rapor Başlığı");
    case ReportBand::PageHeader: return QStringLiteral("Sayfa Başlığı");
    case ReportBand::Header: return QStringLiteral("Veri Başlığı");
    case ReportBand::MasterData: return QStringLiteral("Ana Veri");
    case ReportBand::DetailData: return QStringLiteral("Detay Veri");
    case ReportBand::Footer: return QStringLiteral("Veri Alt Bilgisi");
    case ReportBand::GroupHeader: return QStringLiteral("Grup Başlığı");
    case ReportBand::GroupFooter: return QStringLiteral("Grup Alt Bilgisi");
    case ReportBand::ReportSummary: return QStringLiteral("Rapor Özeti");
    case ReportBand::PageFooter: return QStringLiteral("Sayfa Alt Bilgisi");
    case ReportBand::Child: return QStringLiteral("Alt Bant");
    }
    return {};
}

QString caption(const ReportBand& band)
{
    QString text = QStringLiteral("%1: %2").arg(kindTitle(band.kind()), band.name());
    if (band.isDataBand()) {
        const QString data = band.dataSetName().isEmpty() ? band.dataSet() : band.dataSetName();
        if (!data.isEmpty())
            text += QStringLiteral(" (%1)").arg(data);
        else if (band.rowCount() > 0)
            text += QStringLiteral(" (%1 satır)").arg(band.rowCount());
    } else if (band.kind() == ReportBand::GroupHeader && !band.condition().isEmpty()) {
        text += QStringLiteral(" (%1)").arg(band.condition());
    }
    return text;
}

namespace {

void collectNames(const ReportItem& item, QStringList& names, const QObject* except)
{
    if (&item != except && !item.name().isEmpty())
        names.append(item.name().toLower());
    for (const ReportItem* child : item.items())
        collectNames(*child, names, except);
}

}  // namespace

QString uniqueName(const ReportTemplate& report, const QString& base)
{
    QStringList names;
    collectNames(report, names, nullptr);
    for (int n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (!names.contains(candidate.toLower()))
            return candidate;
    }
}

bool nameTaken(const ReportTemplate& report, const QString& name, const QObject* except)
{
    QStringList names;
    collectNames(report, names, except);
    return names.contains(name.toLower());
}

double snapped(double value)
{
    return std::round(value / GridStep) * GridStep;
}

}  // namespace report::band_layout

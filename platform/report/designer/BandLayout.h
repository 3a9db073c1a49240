#pragma once

#include "platform/report/ReportBand.h"

#include <QList>
#include <QString>

namespace report {

class ReportPage;
class ReportTemplate;

// How the designer stands bands on the page. A band's Top only orders it, so
// the designer shows the bands stacked in that order, each below a caption
// strip, and writes the stacked Tops back whenever the stack changes; the
// order, and with it which header and footer belong to which data band, never
// changes by that.
namespace band_layout {

// Height of the caption strip above each band, in report units.
inline constexpr double CaptionHeight = 20;
// Objects snap to this grid, and the arrow keys move by it.
inline constexpr double GridStep = 4;
// Height of a band the user adds.
inline constexpr double NewBandHeight = 24;

// The bands of a page by Top, in file order where Tops are equal.
QList<ReportBand*> ordered(const ReportPage& page);

// The Top of each band of the list when stacked below their captions.
QList<double> stackedTops(const QList<ReportBand*>& bands);

// Where a new band of this kind goes in the ordered list: report title and
// page header at the top, headers just above the last data band, footers just
// below it, data bands after the data section, summary and page footer at the
// bottom; a child band right below the selected band.
int insertionIndex(const QList<ReportBand*>& bands, ReportBand::Kind kind, const ReportBand* selected = nullptr);

// The width the bands of a page print across, in report units.
double printableWidth(const ReportPage& page);

// The Turkish name of a band kind, as the designer's menus and captions show it.
QString kindTitle(ReportBand::Kind kind);
// "Ana Veri: MasterData1 (Ds_1)".
QString caption(const ReportBand& band);

// A name no item of the template has yet: base followed by the lowest free number.
QString uniqueName(const ReportTemplate& report, const QString& base);
// Whether another item of the template already has this name (case ignored).
bool nameTaken(const ReportTemplate& report, const QString& name, const QObject* except = nullptr);

double snapped(double value);

}  // namespace band_layout

}  // namespace report

#include "ReportPage.h"

#include "ReportBand.h"

#include <cmath>

namespace report {

ReportPage::ReportPage(QObject* parent) : ReportItem(parent) {}

void ReportPage::setPaper(double widthMm, double heightMm, int paperSize)
{
    paperWidth_ = widthMm;
    paperHeight_ = heightMm;
    paperSize_ = paperSize;
    orientation_ = widthMm > heightMm ? poLandscape : poPortrait;
    emit changed();
}

void ReportPage::setMarginsMm(const QMarginsF& margins)
{
    leftMargin_ = margins.left();
    topMargin_ = margins.top();
    rightMargin_ = margins.right();
    bottomMargin_ = margins.bottom();
    emit changed();
}

bool ReportPage::isRollPaper() const
{
    // 82.5 mm is the widest common receipt roll; 256 is the Windows code of a custom paper.
    return endlessHeight_ || (paperSize_ == 256 && paperWidth_ <= 82.5);
}

QList<ReportBand*> ReportPage::bands() const
{
    QList<ReportBand*> result;
    for (ReportItem* item : items()) {
        if (auto* band = qobject_cast<ReportBand*>(item))
            result.append(band);
    }
    return result;
}

QString ReportPage::checkLimits() const
{
    for (double v : {paperWidth_, paperHeight_}) {
        if (!std::isfinite(v) || v < 10 || v > 10000)
            return QStringLiteral("kağıt boyutu sınırların dışında");
    }
    for (double v : {leftMargin_, rightMargin_, topMargin_, bottomMargin_}) {
        if (!std::isfinite(v) || v < 0 || v > 1000)
            return QStringLiteral("kenar boşluğu sınırların dışında");
    }
    if (leftMargin_ + rightMargin_ >= paperWidth_)
        return QStringLiteral("kenar boşlukları kağıttan geniş");
    if (!isRollPaper() && topMargin_ + bottomMargin_ >= paperHeight_)
        return QStringLiteral("kenar boşlukları kağıttan yüksek");
    if (!parentFont() && (std::abs(ownFont().height) > 1000 || ownFont().height == 0))
        return QStringLiteral("yazı yüksekliği sınırların dışında");
    return {};
}

}  // namespace report

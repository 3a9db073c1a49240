#include "ReportBand.h"

#include "ReportView.h"

#include <QMetaEnum>

namespace report {

ReportBand::ReportBand(Kind kind, QObject* parent) : ReportBox(parent), kind_(kind) {}

QList<ReportView*> ReportBand::views() const
{
    QList<ReportView*> result;
    for (ReportItem* item : items()) {
        if (auto* view = qobject_cast<ReportView*>(item))
            result.append(view);
    }
    return result;
}

QString ReportBand::elementForKind(Kind kind)
{
    return QStringLiteral("Tfrx") + QLatin1String(QMetaEnum::fromType<Kind>().valueToKey(kind));
}

bool ReportBand::kindForElement(const QString& element, Kind* kind)
{
    if (!element.startsWith(QLatin1String("Tfrx")))
        return false;
    bool ok = false;
    const int value = QMetaEnum::fromType<Kind>().keyToValue(element.mid(4).toLatin1().constData(), &ok);
    if (ok)
        *kind = Kind(value);
    return ok;
}

QString ReportBand::checkLimits() const
{
    if (rowCount_ < 0 || rowCount_ > 100000)
        return QStringLiteral("satır sayısı sınırların dışında");
    return ReportBox::checkLimits();
}

}  // namespace report

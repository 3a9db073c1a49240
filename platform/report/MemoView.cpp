#include "MemoView.h"

#include <cmath>

namespace report {

MemoView::MemoView(QObject* parent) : ReportView(parent) {}

void MemoView::setText(const QString& text)
{
    text_ = text;
    emit changed();
}

QString MemoView::checkLimits() const
{
    for (double v : {gapX_, gapY_, lineSpacing_}) {
        if (!std::isfinite(v) || std::abs(v) > 1000)
            return QStringLiteral("boşluk ya da satır aralığı sınırların dışında");
    }
    return ReportView::checkLimits();
}

}  // namespace report

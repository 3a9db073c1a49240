#pragma once

#include <QString>

namespace ui {

// Lower case by the Turkish rules (I to ı, İ to i), for case-insensitive
// matching: a text and a search term folded alike match whenever they differ
// only in case.
QString foldTurkish(QStringView text);

// Case-insensitive "contains" by the Turkish rules; `foldedNeedle` must
// already be folded.
inline bool containsFolded(const QString& foldedText, const QString& foldedNeedle)
{
    return foldedText.contains(foldedNeedle, Qt::CaseSensitive);
}

}  // namespace ui

#include "TextLayout.h"

#include <QFontMetricsF>

namespace report {

namespace {

constexpr int measureScale = 8;

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

}  // namespace

TextMeasure::TextMeasure(const QFont& font) : font_(font), scale_(1.0 / measureScale)
{
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : 13;
    font_.setPixelSize(pixels * measureScale);
    const QFontMetricsF metrics(font_);
    height_ = metrics.height() * scale_;
    ascent_ = metrics.ascent() * scale_;
}

double TextMeasure::width(const QString& text) const
{
    return QFontMetricsF(font_).horizontalAdvance(text) * scale_;
}

QList<TextLine> TextMeasure::breakLines(const QString& text, double maxWidth, bool wordWrap, int maxLines) const
{
    QList<TextLine> lines;
    const QFontMetricsF metrics(font_);
    const auto measure = [&](const QString& s) { return metrics.horizontalAdvance(s) * scale_; };
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (lines.size() >= maxLines)
            break;
        if (!wordWrap || measure(paragraph) <= maxWidth) {
            lines.append({paragraph, true});
            continue;
        }
        // Greedy breaking; a word carries its trailing blanks, which do not
        // count when the word ends a line.
        QString line;
        double lineWidth = 0;
        int i = 0;
        while (i < paragraph.size() && lines.size() < maxLines) {
            int end = i;
            while (end < paragraph.size() && paragraph[end] != u' ')
                ++end;
            while (end < paragraph.size() && paragraph[end] == u' ')
                ++end;
            const QString word = paragraph.mid(i, end - i);
            const double visibleWidth = measure(withoutTrailingBlanks(word));
            if (line.isEmpty() && visibleWidth > maxWidth) {
                // A word wider than the line: as many characters as fit, at least one.
                int fit = 1;
                while (fit < word.size() && measure(word.left(fit + 1)) <= maxWidth)
                    ++fit;
                const bool last = i + fit >= paragraph.size();
                lines.append({word.left(fit), last});
                i += fit;
                continue;
            }
            if (line.isEmpty() || lineWidth + visibleWidth <= maxWidth) {
                line += word;
                lineWidth += measure(word);
                i = end;
            } else {
                lines.append({withoutTrailingBlanks(line), false});
                line.clear();
                lineWidth = 0;
            }
        }
        if (!line.isEmpty() && lines.size() < maxLines)
            lines.append({withoutTrailingBlanks(line), true});
        else if (!lines.isEmpty())
            lines.last().endsParagraph = true;
    }
    return lines;
}

}  // namespace report

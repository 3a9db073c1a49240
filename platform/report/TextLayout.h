#pragma once

#include <QFont>
#include <QList>
#include <QString>

namespace report {

// One line of a memo's text after breaking; the last line of a paragraph is
// not stretched when the text is justified.
struct TextLine {
    QString text;
    bool endsParagraph = true;
};

// Measures text in report units the same way on every device: outlines are
// measured at a large size and scaled down, so the breaks found here hold on
// screen, on paper and in PDF alike.
class TextMeasure {
public:
    explicit TextMeasure(const QFont& font);

    double width(const QString& text) const;
    double lineHeight() const { return height_; }
    double ascent() const { return ascent_; }

    // Breaks text at its line ends and, with wordWrap, at blanks (a word wider
    // than the width is broken between characters). Stops after maxLines.
    QList<TextLine> breakLines(const QString& text, double maxWidth, bool wordWrap, int maxLines) const;

private:
    QFont font_;
    double scale_;
    double height_;
    double ascent_;
};

}  // namespace report

#include "TurkishText.h"

namespace ui {

QString foldTurkish(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    QChar* out = folded.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'I')
            out[i] = u'ı';
        else if (c == u'İ')
            out[i] = u'i';
        else if (c.unicode() < 0x80)
            out[i] = (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
        else
            out[i] = c.toLower();
    }
    return folded;
}

}  // namespace ui

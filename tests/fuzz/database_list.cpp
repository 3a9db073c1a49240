#include "FuzzTarget.h"

#include "shell/u_Giris.h"

#include <QRegularExpression>

#include <cstdlib>

// Any bytes as database.txt: every line is one name, no name holds a line
// break, and the names joined again give the file's text less a final break.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList names = TGiris::databaseList(bytes);
    for (const QString& name : names) {
        if (name.contains(u'\r') || name.contains(u'\n'))
            std::abort();
    }
    QString text = QString::fromLocal8Bit(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (names.join(u'\n') != text)
        std::abort();
    if (names.isEmpty() != text.isEmpty())
        std::abort();
    return 0;
}

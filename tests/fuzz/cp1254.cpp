#include "FuzzTarget.h"

#include "platform/db/Cp1254.h"

#include <QByteArray>

#include <cstdlib>

// Bytes read from the database come back unchanged when written again,
// except the five bytes the code page leaves undefined.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = db::cp1254::decode(bytes);
    if (text.size() != bytes.size())
        std::abort();
    const auto again = db::cp1254::encode(text);
    const bool hasUndefined = text.contains(QChar(QChar::ReplacementCharacter));
    if (!hasUndefined && (!again || *again != bytes))
        std::abort();
    if (hasUndefined && again)
        std::abort();
    return 0;
}

#include "FuzzTarget.h"

#include "platform/db/SqlText.h"

#include <QString>

#include <cstdlib>

// Whatever the text, the rewritten statement has one "?" per parameter and
// nothing of the text outside parameters is lost.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const db::ParsedSql parsed = db::parseNamedParameters(sql);
    qsizetype nameLength = 0;
    for (const QString& name : parsed.positions) {
        if (name.isEmpty())
            std::abort();
        nameLength += name.size() + 1;
    }
    if (parsed.text.size() + nameLength - qsizetype(parsed.positions.size()) != sql.size())
        std::abort();
    return 0;
}

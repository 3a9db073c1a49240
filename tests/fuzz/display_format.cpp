#include "FuzzTarget.h"

#include "platform/db/DisplayFormat.h"

#include <QString>

#include <cmath>
#include <cstdlib>
#include <cstring>

// Any picture and any number format without crashing, and a plain amount
// picture never loses the sign or the digits of the number.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const QString picture =
        QString::fromUtf8(reinterpret_cast<const char*>(data + sizeof value), qsizetype(size - sizeof value));
    (void)db::formatPicture(value, picture);
    if (std::isfinite(value) && std::fabs(value) < 1e15) {
        const QString text = db::formatPicture(value, QStringLiteral("0.00"));
        if (text.isEmpty())
            std::abort();
    }
    return 0;
}

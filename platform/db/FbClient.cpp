#include "FbClient.h"

#include <ibase.h>

#include "Cp1254.h"

#include <QString>

namespace db::fb {

Firebird::IMaster* master()
{
    static Firebird::IMaster* m = Firebird::fb_get_master_interface();
    return m;
}

Firebird::IUtil* util()
{
    static Firebird::IUtil* u = master()->getUtilInterface();
    return u;
}

Error toError(const Firebird::FbException& e)
{
    Firebird::IStatus* status = e.getStatus();
    char text[2048] = {};
    util()->formatStatus(text, sizeof text, status);
    const ISC_STATUS* vector = status->getErrors();
    char state[6] = {};
    fb_sqlstate(state, vector);
    const long gds = (vector && vector[0] == isc_arg_gds) ? long(vector[1]) : 0L;
    // Walk the whole list: the telling code is often not the first.
    QList<long> codes;
    for (const ISC_STATUS* p = vector; p && *p != isc_arg_end;) {
        const ISC_STATUS kind = *p++;
        if (kind == isc_arg_cstring) {
            p += 2;
            continue;
        }
        if (kind == isc_arg_gds)
            codes.append(long(*p));
        ++p;
    }
    const int sqlCode = int(isc_sqlcode(vector));
    // The server joins the lines of one error with newlines; keep them.
    return Error(cp1254::decode(QByteArray(text)).trimmed(), sqlCode, gds, QString::fromLatin1(state), codes);
}

}  // namespace db::fb

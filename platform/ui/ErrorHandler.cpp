#include "ErrorHandler.h"

#include "Dialogs.h"

#include "platform/db/Error.h"

#include <cstdio>

namespace ui {

QString errorText(const std::exception_ptr& error)
{
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (const db::Error& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Beklenmeyen bir hata oluştu.");
    }
}

void reportError(const std::exception_ptr& error) noexcept
{
    try {
        dialogs().showError(errorText(error));
    } catch (...) {
        // The error box itself failed; all that is left is the console.
        std::fputs(errorText(error).toLocal8Bit().constData(), stderr);
        std::fputc('\n', stderr);
    }
}

void reportCurrentException() noexcept
{
    reportError(std::current_exception());
}

}  // namespace ui

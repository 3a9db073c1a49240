#include "Application.h"

#include "ErrorHandler.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

bool Application::installQtTranslation()
{
    // Kept for the whole run: QCoreApplication only borrows translators.
    static QTranslator translator;
    if (!translator.isEmpty())
        return true;
    if (!translator.load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

}  // namespace ui

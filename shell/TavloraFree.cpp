// The program: its folder, the main window and its message loop, nothing
// more. The data module and the login window come up when the main window is
// first shown.

#include "MainLoop.h"

#include "data/degiskenler.h"
#include "platform/ui/Application.h"

#include <QLocale>
#include <QStandardPaths>

namespace {

void chooseLocale()
{
    // The program speaks Turkish; a machine without a locale of its own
    // ("C") gets Turkish numbers and dates too.
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C || system.language() == QLocale::English)
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

}  // namespace

int main(int argc, char** argv)
{
    const int signalDescriptor = shell::blockTerminationSignals();
    ui::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TavloraFree"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("TavloraFree"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tavlora-free"));
    // After the name: the user's folder is named after the program.
    SetProgramFolder(ChooseProgramFolder(QCoreApplication::applicationDirPath(),
                                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    chooseLocale();
    ui::Application::installQtTranslation();
    return shell::runMainWindow(signalDescriptor);
}

// The program: its folder, the main window and its message loop, nothing
// more. The data module and the login window come up when the main window is
// first shown.

#include "u_L_AnaMenu.h"

#include "data/degiskenler.h"
#include "platform/ui/Application.h"

#include <QLocale>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

// The Firebird client installs signal handlers of its own, and a detach after
// any handler ran can hang. So SIGINT and SIGTERM are blocked before the
// first attach and read from a descriptor: they close the main window, which
// ends the program the ordinary way, committing what is pending.
int blockTerminationSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    return signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

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
    const int signalDescriptor = blockTerminationSignals();
    ui::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TavloraFree"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("TavloraFree"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tavlora-free"));
    // After the name: the user's folder is named after the program.
    SetProgramFolder(ChooseProgramFolder(QCoreApplication::applicationDirPath(),
                                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    chooseLocale();
    ui::Application::installQtTranslation();

    auto* mainWindow = new TL_AnaMenu;
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);

    if (signalDescriptor >= 0) {
        auto* notifier = new QSocketNotifier(signalDescriptor, QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [signalDescriptor] {
            signalfd_siginfo info;
            while (read(signalDescriptor, &info, sizeof info) == sizeof info) {
            }
            if (L_AnaMenu)
                L_AnaMenu->close();
            QCoreApplication::quit();
        });
    }

    mainWindow->showMaximized();
    const int result = app.exec();
    delete L_AnaMenu;
    return result;
}

#include "MainLoop.h"

#include "u_L_AnaMenu.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace shell {

// The Firebird client installs signal handlers of its own, and a detach after
// any handler ran can hang. So the termination signals never reach a handler:
// they are blocked before the first attach and read from a descriptor.
int blockTerminationSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    // The terminal it was started from closing.
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    return signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

int runMainWindow(int signalDescriptor)
{
    auto* mainWindow = new TL_AnaMenu;
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);

    if (signalDescriptor >= 0) {
        auto* notifier = new QSocketNotifier(signalDescriptor, QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [signalDescriptor] {
            signalfd_siginfo info;
            while (read(signalDescriptor, &info, sizeof info) == sizeof info) {
            }
            // The way "Çıkış" goes, without a question: the session is
            // ending. exit() ends every running loop, a modal window's
            // included; quit() would first ask each window to close, and the
            // order entry would ask whether to drop its unsaved lines.
            if (L_AnaMenu)
                L_AnaMenu->close();
            QCoreApplication::exit(0);
        });
    }

    mainWindow->showMaximized();
    const int result = QCoreApplication::exec();
    delete L_AnaMenu;
    return result;
}

}  // namespace shell

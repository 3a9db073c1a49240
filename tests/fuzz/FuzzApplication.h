#pragma once

// Targets that lay out text or build widgets need an application object.
// One is made, headless, on the first input and lives as long as the process.
#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Warnings about bad input are expected by the million; only a fatal one counts.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
            std::abort();
        }
    });
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own globals may be gone by the time static
    // objects are torn down at exit.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

}  // namespace fuzz

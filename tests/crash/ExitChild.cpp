// The program's own main window and message loop, with the way the program
// takes SIGINT, SIGTERM and SIGHUP, driven through the login and on by a
// user who is never asked anything; for the exit tests to end it by signal
// or by "Çıkış" and time how long it takes.
//
//   exit_child <program folder> <where>
//
// where:
//   main-window   after the login: "LOGGED IN", then waits in the main loop
//   order-entry   "Adisyon Paneli", "Masa 4", "Yeni Adisyon", Çay and Türk
//                 Kahvesi picked without "Kaydet": "MID entry", then waits
//                 in the order-entry window's own loop
//   exit-button   after the login, "Çıkış"
// When the message loop has ended and the main window and the data module
// are gone it prints "ENDED <exit code>".
#include "ChildSteps.h"

#include "bills/u_F_Adisyon.h"
#include "bills/u_L_Adisyon.h"
#include "shell/MainLoop.h"
#include "shell/u_Giris.h"
#include "shell/u_L_AnaMenu.h"

#include "data/degiskenler.h"
#include "platform/ui/Application.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

namespace {

using child::click;
using child::fail;
using child::pick;
using child::say;

// No step asks anything, and the end must not: a question would hold up the
// end of the desktop session.
class NoQuestions : public child::Agreeing {
public:
    ui::DialogButton messageBox(const QString& text, const QString&, ui::MessageIcon, ui::DialogButtons,
                                ui::DialogButton) override
    {
        fail(QStringLiteral("a question: ") + text);
    }
};

void afterLogin(const QString& where)
{
    if (where == QLatin1String("main-window"))
        say("LOGGED IN");
    else if (where == QLatin1String("exit-button"))
        click(L_AnaMenu->ToolButton7);
    else if (where == QLatin1String("order-entry"))
        click(L_AnaMenu->ToolButton1);
    else
        fail(QStringLiteral("unknown place ") + where);
}

// Every window the program shows modally comes here instead.
void drive(QDialog& window, const QString& where)
{
    if (auto* login = qobject_cast<TGiris*>(&window)) {
        login->eKullanici->setText(QStringLiteral("demo"));
        login->eSifre->setText(QStringLiteral("demo"));
        click(login->cxButton1);
        if (LoginAccepted == 0)
            fail(QStringLiteral("the login was refused"));
        // Once the login's own command has returned.
        QTimer::singleShot(0, L_AnaMenu, [where] { afterLogin(where); });
        return;
    }
    if (auto* panel = qobject_cast<TL_Adisyon*>(&window)) {
        child::selectTable(4);
        click(panel->tooAdisyn);
        return;
    }
    if (auto* entry = qobject_cast<TF_Adisyon*>(&window)) {
        const QString hot = QStringLiteral("Sıcak İçecekler");
        pick(*entry, hot, QStringLiteral("Çay"));
        pick(*entry, hot, QStringLiteral("Türk Kahvesi"));
        say("MID entry");
        entry->exec();
        return;
    }
    fail(QStringLiteral("unexpected window ") + window.objectName());
}

}  // namespace

int main(int argc, char** argv)
{
    const int signalDescriptor = shell::blockTerminationSignals();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    if (argc != 3) {
        std::fprintf(stderr, "usage: exit_child <program folder> <where>\n");
        return 1;
    }
    NoQuestions dialogs;
    ui::setDialogs(&dialogs);
    SetProgramFolder(QString::fromLocal8Bit(argv[1]));
    const QString where = QString::fromLocal8Bit(argv[2]);
    ui::setModalHook([where](QDialog& window) { drive(window, where); });
    const int result = shell::runMainWindow(signalDescriptor);
    ui::setModalHook({});
    std::printf("ENDED %d\n", result);
    std::fflush(stdout);
    return result;
}

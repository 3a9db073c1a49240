// Makes the pictures of the program shown in the README: the main window,
// the login window, the bill panel, order entry and a slip preview, on a
// fresh copy of the demo cafe. Run by scripts/screenshots.sh; it needs no
// display (QT_QPA_PLATFORM=offscreen) and writes PNG files into the folder
// it is given.

#include "bills/u_F_Adisyon.h"
#include "bills/u_L_Adisyon.h"
#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/report/ReportPreview.h"
#include "platform/ui/Application.h"
#include "platform/ui/Modal.h"
#include "shell/u_Giris.h"
#include "shell/u_L_AnaMenu.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QLocale>
#include <QTimer>

#include <cstdio>

namespace {

QString outputFolder;

void save(QWidget& window, const QString& name)
{
    window.resize(window.size().expandedTo(QSize(200, 200)));
    QCoreApplication::processEvents();
    const QString path = QDir(outputFolder).filePath(name);
    if (!window.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    ui::Application::installQtTranslation();
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    SetProgramFolder(QString::fromLocal8Bit(argv[1]));
    outputFolder = QString::fromLocal8Bit(argv[2]);

    auto* mainWindow = new TL_AnaMenu;
    mainWindow->resize(1280, 800);
    {
        // The main window's first show brings the login window up.
        ui::ModalHookScope loginHook([](QDialog& shown) {
            auto* login = qobject_cast<TGiris*>(&shown);
            if (!login)
                return;
            login->eKullanici->setText(QStringLiteral("demo"));
            login->eSifre->setText(QStringLiteral("demo"));
            save(*login, QStringLiteral("login.png"));
            login->cxButton1->click();
        });
        mainWindow->show();
        mainWindow->FormShow();
    }
    if (LoginAccepted != 11) {
        std::fprintf(stderr, "the demo user could not log in\n");
        return 1;
    }
    save(*mainWindow, QStringLiteral("main-window.png"));

    // A table with a few lines, as the panel shows it during service.
    ui::ModalHookScope hook([](QDialog& shown) {
        if (auto* order = qobject_cast<TF_Adisyon*>(&shown)) {
            order->resize(1280, 800);
            for (int pick = 0; pick < 3; ++pick) {
                ProductQuery->moveTo(pick);
                order->DBGrid2CellClick();
            }
            save(*order, QStringLiteral("order-entry.png"));
            order->cxButton17Click();
        } else if (auto* preview = qobject_cast<report::ReportPreview*>(&shown)) {
            preview->resize(700, 800);
            save(*preview, QStringLiteral("slip-preview.png"));
            shown.close();
        } else {
            shown.close();
        }
    });
    {
    TL_Adisyon panel(mainWindow);
    panel.resize(1280, 800);
    panel.show();
    QCoreApplication::processEvents();
    TableButtonClick(TableButtons.value(3));
    panel.tooAdisynClick();
    save(panel, QStringLiteral("bill-panel.png"));
    panel.ToolButton2Click();
    panel.close();
    }

    delete mainWindow;
    return 0;
}

#include "support/TestDatabase.h"
#include "ui/support/ScriptedDialogs.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/ui/Modal.h"
#include "shell/u_Giris.h"
#include "shell/u_L_AnaMenu.h"
#include "shell/u_Yardim.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

using testsupport::freshDatabase;
using testsupport::queryValue;
using uitest::ScriptedDialogs;

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        databasePath = freshDatabase(true);
        folder = std::make_unique<QTemporaryDir>(testsupport::scratchDir() + QStringLiteral("/main-XXXXXX"));
        SetProgramFolder(folder->path());
        QFile f(folder->filePath(QStringLiteral("database.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(databasePath.toLocal8Bit());
        LoginAccepted = 0;
        ModifiedState = 0;
    }
    void TearDown() override
    {
        SetProgramFolder(QString());
        LoginAccepted = 0;
    }

    // Shows the main window's first show with the login window answered by
    // `act`.
    void startWith(TL_AnaMenu& window, std::function<void(TGiris&)> act)
    {
        ui::ModalHookScope hook([&](QDialog& shown) {
            auto* login = qobject_cast<TGiris*>(&shown);
            ASSERT_NE(login, nullptr);
            EXPECT_NE(dm, nullptr);
            act(*login);
        });
        window.FormShow();
    }

    QString databasePath;
    std::unique_ptr<QTemporaryDir> folder;
};

TEST_F(MainWindow, StartsWithItsCommandsAndNothingElse)
{
    TL_AnaMenu window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tavlora Free "));
    EXPECT_EQ(dm, nullptr);
    const QList<QPair<QToolButton*, QString>> buttons = {
        {window.ToolButton1, QStringLiteral("Adisyon Paneli")},
        {window.ToolButton2, QStringLiteral("Kayıtlı Adisyonlar")},
        {window.ToolButton3, QStringLiteral("Stok Tanımları")},
        {window.ToolButton4, QStringLiteral("Parametreler")},
        {window.ToolButton6, QStringLiteral("Rapor")},
        {window.ToolButton5, QStringLiteral("Program Hakkında")},
        {window.ToolButton7, QStringLiteral("Çıkış")},
    };
    for (const auto& [button, caption] : buttons) {
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->accessibleName(), caption);
        EXPECT_EQ(button->height(), 87);
        EXPECT_GE(button->width(), 124);
        // The whole caption fits: nothing is cut.
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(caption));
    }
    QStringList items;
    for (QAction* a : window.PopupMenu2->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items, (QStringList{QStringLiteral("Masa Listesi"), QStringLiteral("Genel Ayarlar"),
                                  QStringLiteral("-"), QStringLiteral("Stok Birim"), QStringLiteral("Stok Grup")}));
    EXPECT_EQ(window.ToolButton4->menu(), window.PopupMenu2);
}

TEST_F(MainWindow, FirstShowCreatesTheDataModuleThenShowsTheLogin)
{
    ScriptedDialogs dialogs;
    auto* window = new TL_AnaMenu;
    window->show();
    startWith(*window, [](TGiris& login) {
        login.eKullanici->setText(QStringLiteral("demo"));
        login.eSifre->setText(QStringLiteral("demo"));
        login.cxButton1->click();
    });
    EXPECT_EQ(LoginAccepted, 11);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(dm->IBDatabase1->connected());
    delete window;
    EXPECT_EQ(dm, nullptr);
}

TEST_F(MainWindow, LoginClosedWithoutSuccessEndsTheProgram)
{
    ScriptedDialogs dialogs;
    auto* window = new TL_AnaMenu;
    window->show();
    startWith(*window, [](TGiris& login) { login.close(); });
    EXPECT_EQ(LoginAccepted, 0);
    EXPECT_FALSE(window->isVisible());
    delete window;
}

TEST_F(MainWindow, ExitCommitsPendingWork)
{
    ScriptedDialogs dialogs;
    auto* window = new TL_AnaMenu;
    window->show();
    startWith(*window, [](TGiris& login) {
        login.eKullanici->setText(QStringLiteral("demo"));
        login.eSifre->setText(QStringLiteral("demo"));
        login.cxButton1->click();
    });
    // Work some command posted without a commit of its own.
    dm->Q_Masa->open();
    dm->Q_Masa->edit();
    dm->Q_Masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(QStringLiteral("Köşe"));
    dm->Q_Masa->post();
    const qint64 id = dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger();
    window->ToolButton7Click();
    EXPECT_FALSE(window->isVisible());
    delete window;  // the program's end
    EXPECT_EQ(queryValue(databasePath, QStringLiteral("select MASA_ADI from MASA where MASA_ID = %1").arg(id))
                  .toString(),
              QStringLiteral("Köşe"));
}

TEST_F(MainWindow, AboutWindowIsFreshEachTime)
{
    TL_AnaMenu window;
    QList<QDialog*> seen;
    ui::ModalHookScope hook([&](QDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), QStringLiteral("Yardim"));
        auto* about = qobject_cast<TYardim*>(&shown);
        ASSERT_NE(about, nullptr);
        QStringList texts;
        for (QLabel* l : about->labels)
            texts << l->text();
        EXPECT_TRUE(texts.contains(QStringLiteral("Uygulama Adı :")));
        EXPECT_TRUE(texts.contains(QStringLiteral("TavloraFree")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Mail ile destek")));
        seen << &shown;
    });
    window.ToolButton5Click();
    window.ToolButton5Click();
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(window.findChildren<TYardim*>().size(), 0);
}

}  // namespace

#include "LoginFixture.h"

#include "support/TestDatabase.h"
#include "ui/support/ScriptedDialogs.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "shell/u_Giris.h"
#include "shell/u_L_AnaMenu.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/ui/DataCheckBox.h"

using testsupport::execSql;
using testsupport::queryValue;
using uitest::ScriptedDialogs;

namespace {

const QString kConnectionFailed = QStringLiteral(
    "Bağlantı başarısız lütfen sitedeki soru cevap bölününe bakınız. https://tavlora.example.com.tr");

class Login : public LoginFixture {
protected:
    Login() : LoginFixture(true) {}
};

TEST_F(Login, DemoUserGetsInAndTheMainWindowStays)
{
    ScriptedDialogs dialogs;
    TGiris login(mainWindow);
    login.show();
    EXPECT_TRUE(login.iOK->isVisibleTo(&login));
    EXPECT_FALSE(login.iNot->isVisibleTo(&login));
    EXPECT_EQ(login.comDataBase->currentText(), databasePath);
    EXPECT_TRUE(dm->T_Ayarlar->active());
    login.eKullanici->setText(QStringLiteral("demo"));
    login.eSifre->setText(QStringLiteral("demo"));
    login.cxButton1->click();
    EXPECT_EQ(LoginAccepted, 11);
    EXPECT_FALSE(login.isVisible());
    EXPECT_TRUE(mainWindow->isVisible());
}

struct RefusalCase {
    const char* user;
    const char* password;
    const char* message;
};

TEST_F(Login, RefusalsTellWhatIsWrong)
{
    const RefusalCase cases[] = {
        {"", "demo", "Kullanıcı giriniz"},
        {"demo", "", "Şİfre giriniz"},
        {"Demo", "demo", "Kullanıcı ya da şifre hatalı"},
        {"demo", "demo ", "Kullanıcı ya da şifre hatalı"},
        {"  ", "x", "Kullanıcı ya da şifre hatalı"},
    };
    TGiris login(mainWindow);
    login.show();
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        dialogs.expectNotice(QString::fromUtf8(c.message));
        login.eKullanici->setText(QString::fromUtf8(c.user));
        login.eSifre->setText(QString::fromUtf8(c.password));
        login.cxButton1->click();
        dialogs.verify();
        EXPECT_EQ(LoginAccepted, 0) << c.user;
        EXPECT_TRUE(login.isVisible());
        EXPECT_EQ(login.eKullanici->text(), QString::fromUtf8(c.user));
    }
}

TEST_F(Login, EnterInThePasswordFieldLogsIn)
{
    ScriptedDialogs dialogs;
    TGiris login(mainWindow);
    login.show();
    login.eKullanici->setText(QStringLiteral("demo"));
    // Enter in the user field does nothing.
    QTest::keyClick(login.eKullanici, Qt::Key_Return);
    EXPECT_EQ(LoginAccepted, 0);
    login.eSifre->setText(QStringLiteral("demo"));
    QTest::keyClick(login.eSifre, Qt::Key_Return);
    EXPECT_EQ(LoginAccepted, 11);
}

struct ListCase {
    const char* name;
    bool writeFile;
    QByteArray content;
};

TEST_F(Login, EveryWayTheDatabaseCannotBeReachedGivesTheConnectionMessage)
{
    const ListCase cases[] = {
        {"missing file", false, {}},
        {"empty file", true, ""},
        {"blank first line", true, "\r\n/some/where.fdb\r\n"},
        {"unreachable database", true, "/no/such/folder/kafe.fdb\n"},
    };
    for (const auto& c : cases) {
        QFile::remove(folder->filePath(QStringLiteral("database.txt")));
        if (c.writeFile)
            writeList(c.content);
        delete dm;
        dm = new Tdm(mainWindow);
        ScriptedDialogs dialogs;
        dialogs.expectNotice(kConnectionFailed, QStringLiteral("TavloraFree"));
        TGiris login(mainWindow);
        login.show();
        dialogs.verify();
        EXPECT_TRUE(login.iNot->isVisibleTo(&login)) << c.name;
        // Not connected: no login can succeed.
        dialogs.expectNotice(QStringLiteral("Kullanıcı ya da şifre hatalı"));
        login.eKullanici->setText(QStringLiteral("demo"));
        login.eSifre->setText(QStringLiteral("demo"));
        login.cxButton1->click();
        EXPECT_EQ(LoginAccepted, 0) << c.name;
    }
}

TEST_F(Login, SettingsTableThatCannotBeOpenedShowsBothPictures)
{
    execSql(databasePath, QStringLiteral("drop table AYARLAR"));
    ScriptedDialogs dialogs;
    dialogs.expectNotice(kConnectionFailed, QStringLiteral("TavloraFree"));
    TGiris login(mainWindow);
    login.show();
    EXPECT_TRUE(login.iOK->isVisibleTo(&login));
    EXPECT_TRUE(login.iNot->isVisibleTo(&login));
}

TEST_F(Login, OnlyTheFirstLineIsUsed)
{
    writeList(databasePath.toLocal8Bit() + "\n/other/kafe.fdb\n");
    ScriptedDialogs dialogs;
    TGiris login(mainWindow);
    login.show();
    EXPECT_EQ(login.comDataBase->count(), 2);
    login.comDataBase->setCurrentIndex(1);
    login.eKullanici->setText(QStringLiteral("demo"));
    login.eSifre->setText(QStringLiteral("demo"));
    login.cxButton1->click();
    EXPECT_EQ(LoginAccepted, 11);
    EXPECT_EQ(dm->IBDatabase1->databaseName(), databasePath);
}

TEST_F(Login, RememberMeFillsTheFieldsOnlyForTheExactWordTrue)
{
    for (const char* flag : {"true", "False", ""}) {
        execSql(databasePath, QStringLiteral("update AYARLAR set BENI_HATIRLA = '%1'").arg(flag));
        delete dm;
        dm = new Tdm(mainWindow);
        ScriptedDialogs dialogs;
        TGiris login(mainWindow);
        EXPECT_TRUE(login.eKullanici->text().isEmpty()) << flag;
    }
    execSql(databasePath, QStringLiteral("update AYARLAR set BENI_HATIRLA = 'True'"));
    delete dm;
    dm = new Tdm(mainWindow);
    ScriptedDialogs dialogs;
    TGiris login(mainWindow);
    EXPECT_EQ(login.eKullanici->text(), QStringLiteral("demo"));
    EXPECT_EQ(login.eSifre->text(), QStringLiteral("demo"));
    EXPECT_TRUE(login.cxDBCheckBox7->isChecked());
}

TEST_F(Login, RememberMeIsStoredOnlyAfterASuccessfulLogin)
{
    {
        ScriptedDialogs dialogs;
        TGiris login(mainWindow);
        login.show();
        login.cxDBCheckBox7->click();
        EXPECT_EQ(ModifiedState, 2);
        login.close();
    }
    EXPECT_FALSE(mainWindow->isVisible());
    // The change was never posted: a new start still reads "False".
    delete dm;
    dm = nullptr;
    EXPECT_EQ(queryValue(databasePath, QStringLiteral("select BENI_HATIRLA from AYARLAR")).toString(),
              QStringLiteral("False"));

    mainWindow->show();
    dm = new Tdm(mainWindow);
    ModifiedState = 0;
    ScriptedDialogs dialogs;
    TGiris login(mainWindow);
    login.show();
    login.cxDBCheckBox7->click();
    login.eKullanici->setText(QStringLiteral("demo"));
    login.eSifre->setText(QStringLiteral("demo"));
    login.cxButton1->click();
    EXPECT_EQ(LoginAccepted, 11);
    EXPECT_EQ(ModifiedState, 2);
    EXPECT_EQ(queryValue(databasePath, QStringLiteral("select BENI_HATIRLA from AYARLAR")).toString(),
              QStringLiteral("True"));
}

TEST_F(Login, ClosingWithoutALoginClosesTheMainWindow)
{
    ScriptedDialogs dialogs;
    TGiris login(mainWindow);
    login.show();
    login.close();
    EXPECT_FALSE(mainWindow->isVisible());
}

TEST_F(Login, ExitButtonClosesTheMainWindow)
{
    ScriptedDialogs dialogs;
    TGiris login(mainWindow);
    login.show();
    login.cxButton2->click();
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_FALSE(login.isVisible());
}

}  // namespace

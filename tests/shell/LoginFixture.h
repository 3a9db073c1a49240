#pragma once

#include "support/TestDatabase.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "shell/u_L_AnaMenu.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>

// The moment before the login window: the main window and the data module
// exist, nothing is connected, database.txt in the program's folder names a
// fresh copy of the demo cafe.
class LoginFixture : public ::testing::Test {
protected:
    // A shown main window brings up a login of its own once events are
    // processed; tests that process events leave it hidden.
    explicit LoginFixture(bool showMainWindow) : showMainWindow_(showMainWindow) {}

    void SetUp() override
    {
        databasePath = testsupport::freshDatabase(true);
        folder = std::make_unique<QTemporaryDir>(testsupport::scratchDir() + QStringLiteral("/login-XXXXXX"));
        SetProgramFolder(folder->path());
        writeList(databasePath.toLocal8Bit() + "\r\n");
        LoginAccepted = 0;
        ModifiedState = 0;
        mainWindow = new TL_AnaMenu;
        if (showMainWindow_)
            mainWindow->show();
        dm = new Tdm(mainWindow);
    }

    void TearDown() override
    {
        delete mainWindow;
        SetProgramFolder(QString());
        LoginAccepted = 0;
        ModifiedState = 0;
    }

    void writeList(const QByteArray& content)
    {
        QFile f(folder->filePath(QStringLiteral("database.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

    QString databasePath;
    std::unique_ptr<QTemporaryDir> folder;
    TL_AnaMenu* mainWindow = nullptr;

private:
    bool showMainWindow_;
};

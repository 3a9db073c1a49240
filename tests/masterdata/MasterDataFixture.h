#pragma once

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Dataset.h"
#include "support/DataModuleFixture.h"
#include "ui/support/ScriptedDialogs.h"

#include <QComboBox>

#include <memory>

using uitest::ScriptedDialogs;

// The program after login on the demo cafe, with the dialog service
// scripted: every box a window shows must be expected by the test.
class MasterDataTest : public DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        dialogs = std::make_unique<ScriptedDialogs>();
    }
    void TearDown() override
    {
        dialogs.reset();
        DataModuleFixture::TearDown();
    }

    // What the program itself sees in its own transaction, committed or not.
    static QVariant seen(const QString& sql)
    {
        db::Dataset query(*dm->IBTransaction1);
        query.setSql(sql);
        query.open();
        return query.isEmpty() ? QVariant() : query.fields().front()->value();
    }
    // Committed: what another connection sees.
    int committedCount(const QString& sql) const { return value(sql).toInt(); }

    // The settings row as this program holds it, read again.
    static void reloadSettings()
    {
        dm->T_Ayarlar->close();
        dm->T_Ayarlar->open();
    }

    // Picks an item of a drop-down list the way the user does.
    static void choose(QComboBox* box, const QString& text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // The answer to a Yes/No question.
    static ui::DialogButton answer(bool yes) { return yes ? ui::DialogButton::Yes : ui::DialogButton::No; }

    std::unique_ptr<ScriptedDialogs> dialogs;
};

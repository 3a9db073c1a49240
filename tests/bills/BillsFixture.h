#pragma once

#include "support/DataModuleFixture.h"
#include "ui/support/ScriptedDialogs.h"

#include <QColor>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <initializer_list>
#include <memory>

class TL_Adisyon;
class TF_Adisyon;
class TF_MasaChange;
class QAbstractButton;

namespace billstest {

// The scripted dialogs, with one allowance: a lock held by another
// connection is reported with the server's own text, which carries changing
// transaction numbers, so those errors are collected rather than scripted.
class Dialogs : public uitest::ScriptedDialogs {
public:
    void showError(const QString& text) override;
    QStringList lockErrors;
};

// A product line for a bill made directly in the database.
struct Line {
    int stokId;
    double iskonto = 0;
    double cikan = 1;
};

// Demo products used by the tests, with their prices.
constexpr int kTurkKahvesi = 2;  // 60
constexpr int kCay = 1;          // 17.50
constexpr int kIhlamur = 7;      // 40
constexpr int kSu = 11;          // 10
constexpr int kMercimek = 22;    // 100

// The text of a PDF the program wrote, read with pdftotext.
QString pdfText(const QString& path);

// The program after login with the bill panel open over the demo cafe.
class BillsFixture : public DataModuleFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a fresh bill panel, shown, as the main window shows it.
    TL_Adisyon& openPanel();
    void closePanel();
    // Clicks the table's button: the table becomes the current one.
    void selectTable(int masaId);
    QAbstractButton* tableButton(int masaId) const;
    QColor buttonFace(int masaId) const;
    // A colour of the settings row as the buttons show it.
    QColor settingsColor(const char* column) const;

    // An open bill on an occupied table, committed by another connection as
    // an earlier session of the program would have left it. Returns its id.
    int storeOpenBill(int masaId, std::initializer_list<Line> lines, const QString& note = {});
    // A value read in the program's own transaction (uncommitted work included).
    QVariant ownValue(const QString& sql) const;
    int tableState(int masaId) const;
    int committedTableState(int masaId) const;

    // Runs the command with the order-entry window it opens handed to `act`.
    void withOrderEntry(const std::function<void()>& command, const std::function<void(TF_Adisyon&)>& act);
    void withTableChange(const std::function<void(TF_MasaChange&)>& act);

    // Settings changed by another connection, read again by the program.
    void setSetting(const QString& column, const QString& sqlValue);

    Dialogs dialogs;
    std::unique_ptr<TL_Adisyon> panel;
};

}  // namespace billstest

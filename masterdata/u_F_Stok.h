#pragma once

#include "platform/ui/Form.h"

class QKeyEvent;
class QLabel;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace ui {
class DataLineEdit;
class DataLookupComboBox;
}  // namespace ui

// The product editor: code, name, group, unit and price of the current row
// of Q_Stok, a code generated from the settings' prefix and counter, the
// required-field checks, and the question before unsaved work is dropped.
//
// Its discard undoes only its own work: a savepoint is taken when the
// editor opens and again after every commit made from it, and leaving
// without saving rolls back to that savepoint, not the whole transaction.
class TF_Stok : public ui::Form {
    Q_OBJECT

public:
    explicit TF_Stok(QWidget* owner = nullptr);
    ~TF_Stok() override;

    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    QWidget* Panel1;
    QLabel* cxLabel4;
    ui::DataLineEdit* eKodu;
    QToolButton* Uret;
    QLabel* cxLabel1;
    ui::DataLineEdit* eAdi;
    QLabel* cxLabel2;
    ui::DataLookupComboBox* cxDBLookupComboBox1;
    QLabel* cxLabel3;
    ui::DataLookupComboBox* cxDBLookupComboBox2;
    QLabel* cxLabel5;
    ui::DataLineEdit* eFiyat;
    QStatusBar* StatusBar1;

    void FormCreate();
    bool FormClose();
    // Enter in one of the five fields moves on to the next one; returns
    // whether the key was taken.
    bool eKoduKeyPress(QWidget* field, QKeyEvent* key);
    void UretClick();
    void ToolButton2Click();
    void ToolButton1Click();
    void ToolButton3Click();
    void ToolButton4Click();

protected:
    bool formClose() override { return FormClose(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QWidget*> fieldsInTabOrder() const;
    void beginWork();
    void endWork() noexcept;
    // Runs a step that commits: the savepoint does not outlive a commit, so
    // it is given up before and taken afresh after, whatever the outcome.
    template <class Step>
    void committing(Step&& step);

    QString savepoint_;
};

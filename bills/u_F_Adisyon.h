#pragma once

#include "platform/ui/Form.h"

#include <QString>

class QAbstractButton;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QSplitterHandle;

namespace ui {
class DataGrid;
class DataLabel;
class DataMemo;
}  // namespace ui

// The order-entry window: products are picked group by group onto the open
// bill of the current table, quantities are set on a keypad, lines are
// cancelled, and "Kaydet" marks the table occupied and stores everything.
//
// The window's work is undone as one: a savepoint is taken when the work
// begins (before "Yeni Adisyon" stores its new bill), and leaving without
// saving rolls back to it, so work that other commands completed is never
// taken away.
class TF_Adisyon : public ui::Form {
    Q_OBJECT

public:
    explicit TF_Adisyon(QWidget* owner = nullptr);
    ~TF_Adisyon() override;

    QPushButton* cxButton17;  // "Kaydet"
    QPushButton* cxButton16;  // "Çıkış"
    QSplitter* splitter;
    ui::DataGrid* DBGrid1;
    QSplitterHandle* cxSplitter1;
    ui::DataGrid* DBGrid2;
    QSplitterHandle* cxSplitter2;
    ui::DataLabel* cxDBLabel4;
    QLabel* lbNum;
    QPushButton* cxButton1;
    QPushButton* cxButton2;
    QPushButton* cxButton3;
    QPushButton* cxButton4;
    QPushButton* cxButton5;
    QPushButton* cxButton6;
    QPushButton* cxButton7;
    QPushButton* cxButton8;
    QPushButton* cxButton9;
    QPushButton* cxButton10;  // ","
    QPushButton* cxButton11;  // "0"
    QPushButton* cxButton12;  // "Sil"
    QPushButton* cxButton18;  // "Tamam"
    QPushButton* cxButton13;  // "+"
    QPushButton* cxButton14;  // "-"
    QPushButton* cxButton15;  // "Hareket Sil"
    QLabel* Label1;
    ui::DataMemo* cxDBMemo1;
    ui::DataGrid* cxGrid1DBTableView1;
    QMenu* PopupMenu1;
    QAction* Kaydet1;
    QAction* Gridzelletir1;

    // "Yeni Adisyon": the new bill, stored at once, is the window's first work.
    void StartNewBill();

    void FormCreate();
    // Returns false to keep the window open.
    bool FormClose();
    void DBGrid2CellClick();
    void cxButton1Click(QAbstractButton* sender);
    void cxButton12Click();
    void cxButton18Click();
    void cxButton13Click();
    void cxButton14Click();
    void cxButton15Click();
    void cxButton17Click();
    void cxButton16Click();
    void Kaydet1Click();
    void Gridzelletir1Click();

    // The keypad's text as a number: "," is the decimal separator whatever
    // the user's locale. Throws db::ConversionError for anything else.
    static double keypadNumber(const QString& text);

protected:
    void formShow() override;
    bool formClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyListWidths();
    void beginWork();
    void discardWork();
    void endWork() noexcept;
    bool ensureLines();
    void changeQuantity(double delta);

    // The transaction's state when the savepoint was taken: any commit or
    // rollback since then has ended the savepoint.
    quint64 workGeneration_ = 0;
    bool workHeld_ = false;
    // The list widths of the settings, applied again once the window has its size.
    int groupWidth_ = 0;
    int productWidth_ = 0;
};

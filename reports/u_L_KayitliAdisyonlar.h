#pragma once

#include "platform/ui/Form.h"

#include <QString>

class QAction;
class QFrame;
class QMenu;
class QPushButton;
class QSplitter;
class QTableView;

namespace ui {
class DataGrid;
}

// The saved bills browser: every bill of the house with its table name and
// totals above, the lines of the bill under the cursor below. It switches
// between the valid, all and cancelled bills, moves to the first or last
// bill as the list is sorted, deletes a bill, and keeps the user's column
// layout of both lists in files beside the program.
class TL_KayitliAdisyonlar : public ui::Form {
    Q_OBJECT

public:
    explicit TL_KayitliAdisyonlar(QWidget* owner = nullptr);
    ~TL_KayitliAdisyonlar() override;

    QFrame* Panel1;
    QPushButton* cxButton3;  // "Geçerli Adisyonlar"
    QPushButton* cxButton2;  // "İptal Adisyonları"
    QPushButton* cxButton1;  // "Sil"
    QPushButton* cxButton4;  // "İlk Kayıt"
    QPushButton* cxButton5;  // "Son Kayıt"
    QPushButton* cxButton6;  // "Çıkış"
    ui::DataGrid* cxGrid1;
    QTableView* cxGrid1DBTableView1;
    QSplitter* cxSplitter1;
    ui::DataGrid* cxGrid2;
    QTableView* cxGrid2DBTableView1;
    QMenu* PopupMenu1;
    QAction* zelletir1;
    QAction* Kaydet1;
    QMenu* PopupMenu2;
    QAction* zelletir2;
    QAction* Kaydet2;

    void FormCreate();
    void cxButton3Click();
    void cxButton2Click();
    void cxButton1Click();
    void cxButton4Click();
    void cxButton5Click();
    void cxButton6Click();
    void zelletir1Click();
    void zelletir2Click();
    void Kaydet1Click();
    void Kaydet2Click();

    // Reading the bills shows a progress window once it has taken this long.
    void setProgressDelay(int milliseconds) { progressDelayMs_ = milliseconds; }
    // Rows read when progress was last reported while loading; 0 when the
    // last load was too small to report any.
    int lastProgressRows() const { return lastProgressRows_; }
    bool progressWasShown() const { return progressWasShown_; }

private:
    void buildControls();
    void designUpperList();
    void designLowerList();
    // Runs the select on qryAdisyon, showing progress while a large one is
    // read, and puts the list on its first row as shown.
    void LoadBills(const QString& sql);

    int progressDelayMs_ = 400;
    int lastProgressRows_ = 0;
    bool progressWasShown_ = false;
};

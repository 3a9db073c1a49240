#include "u_L_Stok.h"

#include "WindowKit.h"
#include "u_F_Stok.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/AtomicUnit.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLineEdit.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"
#include "platform/ui/Modal.h"

#include <QAction>
#include <QMenu>
#include <QTableView>
#include <QToolButton>

TL_Stok::TL_Stok(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("L_Stok"));
    setWindowTitle(QStringLiteral("Stok Listesi"));
    resize(1000, 640);

    masterdata::addListToolBar(this, QStringLiteral("Yeni Stok"));

    QList<ui::GridColumn> columns;
    for (const char* field : {"STOK_ID", "GRUP_ID", "GRUP_ADI", "STOK_KODU", "STOK_ADI", "BIRIM", "FIYAT", "ACIKLAMA",
                              "SIRA_NO"})
        columns.append(ui::GridColumn{QString::fromLatin1(field)});
    cxGrid1DBTableView1 = masterdata::makeListGrid(this, QStringLiteral("Stok Listesi"), columns, dm->Ds_Q_Stok);
    cxGrid1DBTableView1->setHighContrast(true);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    zelletir1 = PopupMenu1->addAction(QStringLiteral("Özelleştir"));
    zelletir1->setObjectName(QStringLiteral("zelletir1"));
    Kaydet1 = PopupMenu1->addAction(QStringLiteral("Kaydet"));
    Kaydet1->setObjectName(QStringLiteral("Kaydet1"));
    QTableView* view = cxGrid1DBTableView1->view();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& at) { PopupMenu1->popup(view->viewport()->mapToGlobal(at)); });

    masterdata::stackToolBarOverList(this, ToolBar1, cxGrid1DBTableView1);

    masterdata::connectListCommands(this);
    ui::connectGuarded(cxGrid1DBTableView1, &ui::DataGrid::cellDoubleClicked, this,
                       &TL_Stok::cxGrid1DBTableView1CellDblClick);
    ui::connectGuarded(zelletir1, &QAction::triggered, this, &TL_Stok::zelletir1Click);
    ui::connectGuarded(Kaydet1, &QAction::triggered, this, &TL_Stok::Kaydet1Click);

    FormCreate();
}

QString TL_Stok::layoutFile()
{
    return ProgramFile(QStringLiteral("\\ini\\L_Stok.ini"));
}

void TL_Stok::FormCreate()
{
    // Opening the products opens the units and groups the editor offers.
    dm->Q_Stok->open();
    cxGrid1DBTableView1->restoreLayout(layoutFile());
}

bool TL_Stok::FormClose()
{
    dm->Q_Stok->close();
    return true;
}

void TL_Stok::ToolButton1Click()
{
    dm->Q_Stok->append();
    try {
        ui::showModal<TF_Stok>(this, [](TF_Stok& editor) {
            editor.setWindowTitle(QStringLiteral("Yeni-Stok"));
            editor.eKodu->setFocus();
        });
    } catch (...) {
        // The editor could not be opened: no empty row is left behind.
        if (dm->Q_Stok->state() == db::DatasetState::Insert)
            dm->Q_Stok->cancel();
        throw;
    }
}

void TL_Stok::ToolButton2Click()
{
    // The row goes into editing only when the user changes a field.
    ui::showModal<TF_Stok>(this, [](TF_Stok& editor) {
        editor.setWindowTitle(QStringLiteral("Düzenle-Stok"));
        editor.Panel1->setFocus();
    });
}

void TL_Stok::cxGrid1DBTableView1CellDblClick()
{
    ToolButton2Click();
}

void TL_Stok::ToolButton3Click()
{
    if (!ui::askYesNo(QStringLiteral("Stok Silinecek! devam edilsin mi?"), QStringLiteral("Hata"),
                      ui::MessageIcon::Warning))
        return;
    // Bill lines keep their own copy of the product, so nothing else is
    // checked.
    db::AtomicUnit unit(*dm->IBTransaction1, {dm->Q_Stok});
    dm->Q_Stok->deleteRecord();
    unit.commit();
}

void TL_Stok::ToolButton4Click()
{
    close();
}

void TL_Stok::zelletir1Click()
{
    cxGrid1DBTableView1->toggleCustomization();
}

void TL_Stok::Kaydet1Click()
{
    cxGrid1DBTableView1->saveLayout(layoutFile());
}

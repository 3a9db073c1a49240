#include "u_L_Grup.h"

#include "WindowKit.h"
#include "u_L_Stok_index.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/AtomicUnit.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"
#include "platform/ui/Modal.h"

#include <QToolBar>
#include <QToolButton>

namespace {
const QString kPrompt = QStringLiteral("Grup Adı : ");
}

TL_Grup::TL_Grup(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("L_Grup"));
    setWindowTitle(QStringLiteral("Grup Tanımları"));
    setFont(QFont(QStringLiteral("Tahoma"), 11));
    resize(832, 700);

    ToolBar1 = masterdata::makeToolBar(this, QStringLiteral("ToolBar1"));
    ToolButton1 = masterdata::addToolButton(ToolBar1, QStringLiteral("ToolButton1"), QStringLiteral("Yeni Grup"),
                                            QStringLiteral("yeni"));
    ToolButton2 = masterdata::addToolButton(ToolBar1, QStringLiteral("ToolButton2"), QStringLiteral("Düzenle"),
                                            QStringLiteral("duzenle"));
    ToolBar1->addSeparator();
    ToolButton3 = masterdata::addToolButton(ToolBar1, QStringLiteral("ToolButton3"), QStringLiteral("Sil"),
                                            QStringLiteral("sil"));
    ToolBar1->addSeparator();
    ToolButton5 = masterdata::addToolButton(ToolBar1, QStringLiteral("ToolButton5"), QStringLiteral("Index"),
                                            QStringLiteral("index"));
    ToolBar1->addSeparator();
    ToolButton4 = masterdata::addToolButton(ToolBar1, QStringLiteral("ToolButton4"), QStringLiteral("Çıkış"),
                                            QStringLiteral("cikis"));

    // Only the order number is typed in the list itself.
    cxGrid1DBTableView1 = masterdata::makeListGrid(this, QStringLiteral("Grup Tanımları"),
                                                   {ui::GridColumn{QStringLiteral("GRUP_ID"), {}, 90, true, true},
                                                    ui::GridColumn{QStringLiteral("GRUP_ADI"), {}, 274, true, true},
                                                    ui::GridColumn{QStringLiteral("SIRA_NO"), {}, 63, true, false}},
                                                   dm->Ds_Q_Grup);
    cxGrid1 = cxGrid1DBTableView1;
    cxGrid1DBTableView1->setEditable(true);

    masterdata::stackToolBarOverList(this, ToolBar1, cxGrid1DBTableView1);

    masterdata::connectListCommands(this);
    ui::connectGuarded(ToolButton5, &QToolButton::clicked, this, &TL_Grup::ToolButton5Click);

    FormCreate();
}

void TL_Grup::FormCreate()
{
    dm->Q_Grup->open();
}

bool TL_Grup::FormClose()
{
    // An order number still being typed is stored (and committed) rather
    // than dropped without a word.
    masterdata::commitCellEditor(cxGrid1DBTableView1);
    if (dm->Q_Grup->active())
        dm->Q_Grup->finishPending();
    dm->Q_Grup->close();
    return true;
}

void TL_Grup::ToolButton1Click()
{
    WorkText = ui::dialogs().inputBox(QStringLiteral("Yeni Grup"), kPrompt, QString());
    if (WorkText.isEmpty())
        return;
    dm->Q_Grup->insert();
    dm->Q_Grup->fieldByName(QStringLiteral("GRUP_ADI"))->setAsString(WorkText);
    // The post takes the key from the generator and commits.
    masterdata::postOrCancel(*dm->Q_Grup);
}

void TL_Grup::ToolButton2Click()
{
    // Cancel gives the name back, which is written again; on an empty list
    // the edit starts a new group.
    WorkText = dm->Q_Grup->fieldByName(QStringLiteral("GRUP_ADI"))->asString();
    WorkText = ui::dialogs().inputBox(QStringLiteral("Düzenle Grup"), kPrompt, WorkText);
    if (WorkText.isEmpty())
        return;
    dm->Q_Grup->edit();
    dm->Q_Grup->fieldByName(QStringLiteral("GRUP_ADI"))->setAsString(WorkText);
    masterdata::postOrCancel(*dm->Q_Grup);
}

void TL_Grup::ToolButton3Click()
{
    if (!ui::askYesNo(QStringLiteral("Grup ve bu gruba bağlı stoklar kalıcı olarak silinecek!\rOnaylıyor musunuz?"),
                      QStringLiteral("Hata"), ui::MessageIcon::Warning))
        return;
    // The database removes the group's products with it. Committed at
    // once, so that no later discard in another window brings them back.
    db::AtomicUnit unit(*dm->IBTransaction1, {dm->Q_Grup, dm->Q_Stok});
    dm->Q_Grup->deleteRecord();
    unit.commit();
}

void TL_Grup::ToolButton5Click()
{
    ui::showModal<TL_Stok_index>(this);
}

void TL_Grup::ToolButton4Click()
{
    close();
}

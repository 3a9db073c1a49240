#include "u_L_Birim.h"

#include "WindowKit.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/AtomicUnit.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"

#include <QToolButton>

namespace {
const QString kCaption = QStringLiteral("Yeni Birim");
const QString kPrompt = QStringLiteral("Birim Adı : ");
}  // namespace

TL_Birim::TL_Birim(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("L_Birim"));
    setWindowTitle(QStringLiteral("Birim Tanımları"));
    setFont(QFont(QStringLiteral("Tahoma"), 11));
    resize(589, 600);

    masterdata::addListToolBar(this, QStringLiteral("Yeni Birim"));

    cxGrid1DBTableView1 = masterdata::makeListGrid(
        this, QStringLiteral("Birim Tanımları"),
        {ui::GridColumn{QStringLiteral("SN"), {}, 31}, ui::GridColumn{QStringLiteral("BIRIM"), {}, 277}},
        dm->Ds_Q_Birim);
    cxGrid1 = cxGrid1DBTableView1;

    masterdata::stackToolBarOverList(this, ToolBar1, cxGrid1DBTableView1);

    masterdata::connectListCommands(this);

    FormCreate();
}

void TL_Birim::FormCreate()
{
    dm->Q_Birim->open();
}

bool TL_Birim::FormClose()
{
    dm->Q_Birim->close();
    return true;
}

void TL_Birim::ToolButton1Click()
{
    WorkText = ui::dialogs().inputBox(kCaption, kPrompt, QString());
    if (WorkText.isEmpty())
        return;
    dm->Q_Birim->insert();
    dm->Q_Birim->fieldByName(QStringLiteral("BIRIM"))->setAsString(WorkText);
    masterdata::postOrCancel(*dm->Q_Birim);
    dm->IBTransaction1->commitRetaining();
}

void TL_Birim::ToolButton2Click()
{
    // Cancel gives the name back, which is written again; on an empty list
    // the edit starts a new unit.
    WorkText = dm->Q_Birim->fieldByName(QStringLiteral("BIRIM"))->asString();
    WorkText = ui::dialogs().inputBox(kCaption, kPrompt, WorkText);
    if (WorkText.isEmpty())
        return;
    dm->Q_Birim->edit();
    dm->Q_Birim->fieldByName(QStringLiteral("BIRIM"))->setAsString(WorkText);
    masterdata::postOrCancel(*dm->Q_Birim);
    dm->IBTransaction1->commitRetaining();
}

void TL_Birim::ToolButton3Click()
{
    if (!ui::askYesNo(QStringLiteral("Birim tanımı kalıcı olarak silinecek!\rOnaylıyor musunuz?"),
                      QStringLiteral("Soru"), ui::MessageIcon::Warning))
        return;
    db::AtomicUnit unit(*dm->IBTransaction1, {dm->Q_Birim});
    dm->Q_Birim->deleteRecord();
    unit.commit();
}

void TL_Birim::ToolButton4Click()
{
    close();
}

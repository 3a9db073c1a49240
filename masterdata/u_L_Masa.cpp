#include "u_L_Masa.h"

#include "WindowKit.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/AtomicUnit.h"
#include "platform/db/Statement.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"

#include <QHeaderView>
#include <QTableView>
#include <QToolButton>

namespace {
const QString kCaption = QStringLiteral("Yeni Masa");
const QString kPrompt = QStringLiteral("Masa Adı : ");
}  // namespace

TL_Masa::TL_Masa(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("L_Masa"));
    setWindowTitle(QStringLiteral("Masa Listesi"));
    setFont(QFont(QStringLiteral("Tahoma"), 11));
    resize(755, 614);

    masterdata::addListToolBar(this, QStringLiteral("Yeni Masa"));

    cxGrid1DBTableView1 = masterdata::makeListGrid(this, QStringLiteral("Masa Listesi"),
                                                   {ui::GridColumn{QStringLiteral("MASA_ID"), {}, 92},
                                                    ui::GridColumn{QStringLiteral("MASA_ADI"), {}, 306},
                                                    ui::GridColumn{QStringLiteral("TUTAR"), {}, 116, false},
                                                    ui::GridColumn{QStringLiteral("ACIK_KAPALI"), {}, 137, false}},
                                                   dm->Ds_Q_Masa);
    cxGrid1 = cxGrid1DBTableView1;
    // Large and high-contrast, to be read from a step away.
    cxGrid1DBTableView1->setHighContrast(true);
    QFont large(QStringLiteral("Tahoma"));
    large.setPixelSize(17);
    cxGrid1DBTableView1->view()->setFont(large);
    cxGrid1DBTableView1->view()->verticalHeader()->setDefaultSectionSize(QFontMetrics(large).height() + 10);

    masterdata::stackToolBarOverList(this, ToolBar1, cxGrid1DBTableView1);

    masterdata::connectListCommands(this);
    ui::connectGuarded(cxGrid1DBTableView1, &ui::DataGrid::cellDoubleClicked, this,
                       &TL_Masa::cxGrid1DBTableView1CellDblClick);

    FormCreate();
}

void TL_Masa::FormCreate()
{
    // Usually open already, from the bill panel.
    dm->Q_Masa->open();
}

void TL_Masa::ToolButton1Click()
{
    WorkText = ui::dialogs().inputBox(kCaption, kPrompt, QString());
    if (WorkText.isEmpty())
        return;
    // Committed at once: a table the user saw added is never lost to a
    // later discard in another window. The database gives the new table
    // its state (free) and amount.
    db::AtomicUnit unit(*dm->IBTransaction1, {dm->Q_Masa});
    dm->Q_Masa->insert();
    dm->Q_Masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(WorkText);
    dm->Q_Masa->post();
    unit.commit();
}

void TL_Masa::ToolButton2Click()
{
    // Cancel gives the name back, which is written again; on an empty list
    // the edit starts a new table.
    WorkText = dm->Q_Masa->fieldByName(QStringLiteral("MASA_ADI"))->asString();
    WorkText = ui::dialogs().inputBox(kCaption, kPrompt, WorkText);
    if (WorkText.isEmpty())
        return;
    db::AtomicUnit unit(*dm->IBTransaction1, {dm->Q_Masa});
    dm->Q_Masa->edit();
    dm->Q_Masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(WorkText);
    dm->Q_Masa->post();
    unit.commit();
}

void TL_Masa::cxGrid1DBTableView1CellDblClick()
{
    ToolButton2Click();
}

bool TL_Masa::currentTableIsOpen() const
{
    if (dm->Q_Masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger() == 2)
        return true;
    if (dm->Q_Masa->isEmpty())
        return false;
    // The list may be older than the bills: another terminal may have
    // opened a bill on this table since. Deleting it then would leave an
    // open bill on no table.
    db::Statement check(*dm->IBTransaction1);
    check.setSql(QStringLiteral(
        "select count(*) from rdb$database where exists (select 1 from masa where masa_id = :masa_id and "
        "acik_kapali = 2) or exists (select 1 from adisyon where masa_id = :masa_id and iptal_id = 1 and "
        "turu_id = 1 and acik_kapali = 2)"));
    check.setParam(QStringLiteral("MASA_ID"), dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->value());
    const std::vector<db::Row> rows = check.fetchAll();
    return !rows.empty() && rows.front().at(0).toLongLong() > 0;
}

void TL_Masa::ToolButton3Click()
{
    if (currentTableIsOpen()) {
        ui::showMessage(QStringLiteral("Açık masa silinemez!"), QStringLiteral("Hata"), ui::MessageIcon::Warning);
        return;
    }
    if (!ui::askYesNo(QStringLiteral("Masa Silinecek! devam edilsin mi?"), QStringLiteral("Hata"),
                      ui::MessageIcon::Warning))
        return;
    // Only the table row goes; bills recorded on it stay as they are.
    db::AtomicUnit unit(*dm->IBTransaction1, {dm->Q_Masa});
    dm->Q_Masa->deleteRecord();
    unit.commit();
}

void TL_Masa::ToolButton4Click()
{
    close();
}

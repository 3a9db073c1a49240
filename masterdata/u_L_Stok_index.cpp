#include "u_L_Stok_index.h"

#include "WindowKit.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLabel.h"

#include <QVBoxLayout>

namespace {
const QString kPlainSelect = QStringLiteral("select * from stok");
}

TL_Stok_index::TL_Stok_index(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("L_Stok_index"));
    setWindowTitle(QStringLiteral("Stok index"));
    resize(520, 600);

    cxDBLabel4 = new ui::DataLabel(dm->Ds_Q_Grup, QStringLiteral("GRUP_ADI"), this);
    cxDBLabel4->setObjectName(QStringLiteral("cxDBLabel4"));
    cxDBLabel4->setAlignment(Qt::AlignCenter);
    cxDBLabel4->setMinimumHeight(48);
    QFont heading = cxDBLabel4->font();
    heading.setPointSize(14);
    cxDBLabel4->setFont(heading);
    masterdata::styleCaption(cxDBLabel4);

    cxGrid1DBTableView1 = new ui::DataGrid(this);
    cxGrid1DBTableView1->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    cxGrid1DBTableView1->setAccessibleName(QStringLiteral("Grubun stokları"));
    cxGrid1DBTableView1->setColumns({ui::GridColumn{QStringLiteral("STOK_ADI"), {}, 320},
                                     ui::GridColumn{QStringLiteral("SIRA_NO"), {}, 90}});
    cxGrid1DBTableView1->setEditable(true);
    cxGrid1DBTableView1->setRowIndicatorVisible(true);
    cxGrid1DBTableView1->setDataSource(dm->Ds_Q_Stok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(cxDBLabel4);
    layout->addWidget(cxGrid1DBTableView1, 1);

    FormCreate();
}

TL_Stok_index::~TL_Stok_index()
{
    giveBackProducts();
}

void TL_Stok_index::FormCreate()
{
    modifiedStateBefore_ = ModifiedState;
    borrowed_ = true;
    dm->Q_Stok->setMasterSource(dm->Ds_Q_Grup);
    dm->Q_Stok->close();
    dm->Q_Stok->setSql(QStringLiteral("select * from stok where grup_id = :grup_id"));
    dm->Q_Stok->open();
}

bool TL_Stok_index::FormClose()
{
    // Only a row that was really changed is written: writing back an
    // unchanged row would put old values over what another terminal may
    // have stored since this list was read. Every store commits.
    masterdata::commitCellEditor(cxGrid1DBTableView1);
    if (dm->Q_Stok->active())
        dm->Q_Stok->finishPending();
    // All of this window's work is stored and committed now; the flag goes
    // back to what it was, so no other window asks about it.
    ModifiedState = modifiedStateBefore_;
    giveBackProducts();
    return true;
}

void TL_Stok_index::giveBackProducts() noexcept
{
    if (!borrowed_ || !dm)
        return;
    borrowed_ = false;
    try {
        dm->Q_Stok->setMasterSource(nullptr);
        dm->Q_Stok->close();
        dm->Q_Stok->setSql(kPlainSelect);
    } catch (...) {
        // Closing a dataset and setting its text do not reach the server.
    }
}

#include "u_F_MasaChange.h"

#include "u_L_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DataLabel.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TF_MasaChange::TF_MasaChange(QWidget* owner) : Form(owner)
{
    Q_INIT_RESOURCE(bills);
    setObjectName(QStringLiteral("F_MasaChange"));
    setWindowTitle(QStringLiteral("Masa Degistir"));
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSize(10);
    setFont(base);
    setFixedSize(414, 255);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(49);
    auto* top = new QVBoxLayout(Panel1);
    top->setContentsMargins(0, 0, 0, 0);
    cxDBLabel1 = new ui::DataLabel(dm->Ds_Q_Masa, QStringLiteral("MASA_ADI"), Panel1);
    cxDBLabel1->setObjectName(QStringLiteral("cxDBLabel1"));
    cxDBLabel1->setAccessibleName(QStringLiteral("Masa"));
    cxDBLabel1->setAlignment(Qt::AlignCenter);
    cxDBLabel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    cxDBLabel1->setLineWidth(3);
    cxDBLabel1->setAutoFillBackground(true);
    QFont nameFont = cxDBLabel1->font();
    nameFont.setPointSize(12);
    cxDBLabel1->setFont(nameFont);
    QPalette namePalette = cxDBLabel1->palette();
    namePalette.setColor(QPalette::Window, ui::colorFromValue(0x80000000));  // the scroll-bar colour
    namePalette.setColor(QPalette::WindowText, Qt::black);
    cxDBLabel1->setPalette(namePalette);
    top->addWidget(cxDBLabel1);
    root->addWidget(Panel1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAutoFillBackground(true);
    QPalette cream = Panel2->palette();
    cream.setColor(QPalette::Window, ui::colorFromValue(0xF0FBFF));
    Panel2->setPalette(cream);
    root->addWidget(Panel2, 1);
    auto* body = new QVBoxLayout(Panel2);
    body->setContentsMargins(16, 16, 16, 16);
    body->setSpacing(16);

    auto* choice = new QHBoxLayout;
    Image1 = new QLabel(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(49, 49);
    // Drawn at the screen's own pixel density, so it stays sharp when scaled.
    Image1->setPixmap(QIcon(QStringLiteral(":/bills/masa.svg")).pixmap(Image1->size()));
    choice->addWidget(Image1);
    cxComboBox1 = new QComboBox(Panel2);
    cxComboBox1->setObjectName(QStringLiteral("cxComboBox1"));
    cxComboBox1->setAccessibleName(QStringLiteral("Yeni masa"));
    cxComboBox1->setEditable(false);
    QFont listFont = cxComboBox1->font();
    listFont.setPointSize(18);
    cxComboBox1->setFont(listFont);
    cxComboBox1->setMinimumHeight(49);
    choice->addWidget(cxComboBox1, 1);
    body->addLayout(choice);

    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("Tamam"), Panel2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Çıkış"), Panel2);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    // Enter presses the button that has the focus, and "Tamam" while the
    // table list has it.
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setAccessibleName(b->text());
        b->setMinimumSize(150, 56);
        b->setAutoDefault(true);
        buttons->addWidget(b);
    }
    BitBtn1->setDefault(true);
    body->addLayout(buttons);
    ui::connectGuarded(BitBtn1, &QPushButton::clicked, this, &TF_MasaChange::BitBtn1Click);
    ui::connectGuarded(BitBtn2, &QPushButton::clicked, this, &TF_MasaChange::BitBtn2Click);

    FormCreate();
}

TF_MasaChange::~TF_MasaChange()
{
    // The list goes with the window; the global must not point at it.
    if (WorkQuery == freeTables_)
        WorkQuery = nullptr;
}

void TF_MasaChange::FormCreate()
{
    freeTables_ = new db::Dataset(*dm->IBTransaction1, this);
    freeTables_->setObjectName(QStringLiteral("WorkQuery"));
    WorkQuery = freeTables_;
    freeTables_->setSql(QStringLiteral("SELECT MASA_ADI, MASA_ID FROM MASA WHERE ACIK_KAPALI = 1 ORDER BY MASA_ID ASC "));
    freeTables_->open();
    db::Field* name = freeTables_->fieldByName(QStringLiteral("MASA_ADI"));
    for (int row = 0; row < freeTables_->recordCount(); ++row)
        cxComboBox1->addItem(freeTables_->value(row, name->index()).toString());
    cxComboBox1->setCurrentIndex(-1);
}

void TF_MasaChange::BitBtn1Click()
{
    const QString chosen = cxComboBox1->currentText();
    if (chosen.isEmpty()) {
        ui::showMessage(QStringLiteral("Lütfen masa seçiniz"), {}, ui::MessageIcon::Warning);
        return;
    }
    // The window closes whether or not the move succeeds; a failure is shown
    // after it closed.
    try {
        if (freeTables_->locate(QStringLiteral("MASA_ADI"), chosen)) {
            const int target = int(freeTables_->fieldByName(QStringLiteral("MASA_ID"))->asInteger());
            TL_Adisyon::requireBillStillOpen();
            MoveBillToTable(target, dm->Q_Masa, dm->Q_Adisyon);
        }
    } catch (...) {
        close();
        throw;
    }
    close();
}

void TF_MasaChange::BitBtn2Click()
{
    close();
}

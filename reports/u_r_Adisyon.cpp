#include "u_r_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"

#include "platform/db/Dataset.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DataRadioGroup.h"
#include "platform/ui/ErrorHandler.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QDateTime>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kOpeningCondition =
    QStringLiteral("WHERE IPTAL_ID = 1 AND TARIH BETWEEN :T1 AND :T2 AND MASA_ADI LIKE ");
const QString kClosingCondition =
    QStringLiteral("WHERE IPTAL_ID = 1 AND KAPANIS_TARIHI BETWEEN :T1 AND :T2 AND MASA_ADI LIKE ");

// Large enough for a finger on the counter's touch screen.
constexpr int kTouchHeight = 48;
const QString kLargeIndicators =
    QStringLiteral("QCheckBox::indicator, QRadioButton::indicator { width: 26px; height: 26px; }");

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kCream(0xFF, 0xFB, 0xF0);

// The text as an SQL string literal: quoted, a quote inside written twice.
QString sqlLiteral(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

QPushButton* commandButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setMinimumSize(110, kTouchHeight);
    return button;
}

QDateEdit* dateEdit(const QString& name, QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setMinimumHeight(kTouchHeight);
    return edit;
}

}  // namespace

Tr_Adisyon::Tr_Adisyon(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("r_Adisyon"));
    setWindowTitle(QStringLiteral("Adisyon Özet Rapor"));
    setFixedSize(412, 524);
    buildControls();
    FormCreate();
}

Tr_Adisyon::~Tr_Adisyon()
{
    // The queries go with the window; the shared reference must not outlive them.
    if (reportQuery_ && WorkQuery == reportQuery_)
        WorkQuery = nullptr;
    if (dm && reportQuery_ && dm->dt_1->dataset() == reportQuery_)
        dm->bindReportDataset(dm->dt_1, nullptr);
}

void Tr_Adisyon::buildControls()
{
    setAutoFillBackground(true);
    QPalette navy = palette();
    navy.setColor(QPalette::Window, kNavy);
    setPalette(navy);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 12);
    layout->setSpacing(8);

    Label1 = new QLabel(QStringLiteral("Adisyon Raporu"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont heading = Label1->font();
    heading.setPixelSize(24);
    heading.setBold(true);
    Label1->setFont(heading);
    Label1->setStyleSheet(QStringLiteral("color: white;"));
    layout->addWidget(Label1);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFocusPolicy(Qt::StrongFocus);
    Panel1->setAccessibleName(QStringLiteral("Adisyon Raporu"));
    Panel1->setAutoFillBackground(true);
    QPalette cream = Panel1->palette();
    cream.setColor(QPalette::Window, kCream);
    cream.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(cream);
    layout->addWidget(Panel1, 1);

    auto* panel = new QVBoxLayout(Panel1);
    panel->setContentsMargins(12, 12, 12, 12);
    panel->setSpacing(10);

    auto* dates = new QGridLayout;
    Label2 = new QLabel(QStringLiteral("Başlangıç Tarihi"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    cxDateEdit1 = dateEdit(QStringLiteral("cxDateEdit1"), Panel1);
    ui::labelControl(Label2, cxDateEdit1);
    Label3 = new QLabel(QStringLiteral("Bitiş Tarihi"), Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    cxDateEdit2 = dateEdit(QStringLiteral("cxDateEdit2"), Panel1);
    ui::labelControl(Label3, cxDateEdit2);
    dates->addWidget(Label2, 0, 0);
    dates->addWidget(Label3, 0, 1);
    dates->addWidget(cxDateEdit1, 1, 0);
    dates->addWidget(cxDateEdit2, 1, 1);
    panel->addLayout(dates);

    auto* table = new QHBoxLayout;
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(24, 24));
    Label4 = new QLabel(QStringLiteral("Masa Adı"), Panel1);
    Label4->setObjectName(QStringLiteral("Label4"));
    cxTextEdit1 = new QLineEdit(Panel1);
    cxTextEdit1->setObjectName(QStringLiteral("cxTextEdit1"));
    cxTextEdit1->setMinimumHeight(kTouchHeight);
    // Table names are at most 50 characters.
    cxTextEdit1->setMaxLength(50);
    ui::labelControl(Label4, cxTextEdit1);
    cxCheckBox1 = new QCheckBox(QStringLiteral("içerir"), Panel1);
    cxCheckBox1->setObjectName(QStringLiteral("cxCheckBox1"));
    cxCheckBox1->setAccessibleName(QStringLiteral("içerir"));
    cxCheckBox1->setMinimumHeight(kTouchHeight);
    cxCheckBox1->setStyleSheet(kLargeIndicators);
    table->addWidget(Image1);
    table->addWidget(Label4);
    table->addWidget(cxTextEdit1, 1);
    table->addWidget(cxCheckBox1);
    panel->addLayout(table);

    cxDBRadioGroup1 = new ui::DataRadioGroup(QStringLiteral("Tarih Opsiyon"), Panel1);
    cxDBRadioGroup1->setObjectName(QStringLiteral("cxDBRadioGroup1"));
    cxDBRadioGroup1->setItems({QStringLiteral("Açılış"), QStringLiteral("Kapanış")});
    for (int i = 0; i < cxDBRadioGroup1->items().size(); ++i) {
        cxDBRadioGroup1->button(i)->setMinimumHeight(40);
        cxDBRadioGroup1->button(i)->setStyleSheet(kLargeIndicators);
    }
    cxDBRadioGroup1->bind(dm->Ds_T_Ayarlar, QStringLiteral("RAPOR_TARIH"));
    panel->addWidget(cxDBRadioGroup1);
    panel->addStretch(1);

    auto* buttons = new QHBoxLayout;
    cxButton1 = commandButton(QStringLiteral("cxButton1"), QStringLiteral("Rapor"), Panel1);
    cxButton3 = commandButton(QStringLiteral("cxButton3"), QStringLiteral("Dizayn"), Panel1);
    cxButton2 = commandButton(QStringLiteral("cxButton2"), QStringLiteral("Çıkış"), Panel1);
    buttons->addWidget(cxButton1);
    buttons->addWidget(cxButton3);
    buttons->addWidget(cxButton2);
    panel->addLayout(buttons);

    using Self = Tr_Adisyon;
    ui::connectGuarded(cxButton1, &QPushButton::clicked, this, &Self::cxButton1Click);
    ui::connectGuarded(cxButton3, &QPushButton::clicked, this, &Self::cxButton3Click);
    ui::connectGuarded(cxButton2, &QPushButton::clicked, this, &Self::cxButton2Click);

    if (QScreen* screen = this->screen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Tr_Adisyon::FormCreate()
{
    const QDate today = QDate::currentDate();
    cxDateEdit1->setDate(today);
    cxDateEdit2->setDate(today);
    Panel1->setFocus();
}

db::Dataset* Tr_Adisyon::OpenReportQuery()
{
    WorkText = cxTextEdit1->text();
    const QString pattern = cxCheckBox1->isChecked() ? u'%' + WorkText + u'%' : WorkText + u'%';
    // Only "Açılış" selects by the opening time; any other state, no choice
    // included, selects by the closing time.
    const QString condition = cxDBRadioGroup1->itemIndex() == 0 ? kOpeningCondition : kClosingCondition;

    auto* query = new db::Dataset(*dm->IBTransaction1, this);
    query->setObjectName(QStringLiteral("WorkQuery"));
    WorkQuery = query;
    reportQuery_ = query;
    query->setSql(QStringLiteral("SELECT SUM(K_TUTAR) AS KASA, SUM(B_TUTAR) AS BANKA, MASA_ADI from W_ADISYON ") +
                  condition + sqlLiteral(pattern) + QStringLiteral(" GROUP BY  MASA_ADI ORDER BY MASA_ADI "));
    // The last day is included up to the midnight that ends it.
    query->setParam(QStringLiteral("T1"), QDateTime(cxDateEdit1->date(), QTime(0, 0)));
    query->setParam(QStringLiteral("T2"), QDateTime(cxDateEdit2->date().addDays(1), QTime(0, 0)));
    query->open();
    return query;
}

void Tr_Adisyon::loadSummaryReport()
{
    dm->bindReportDataset(dm->dt_1, OpenReportQuery());
    dm->loadReportTemplate(ProgramFile(QStringLiteral("\\rapor\\w_Adisyon.fr3")));
}

void Tr_Adisyon::cxButton1Click()
{
    loadSummaryReport();
    dm->Report->showPreview(this);
}

void Tr_Adisyon::cxButton3Click()
{
    loadSummaryReport();
    dm->Report->design(this);
}

void Tr_Adisyon::cxButton2Click()
{
    close();
}

void Tr_Adisyon::FormClose()
{
    // Choosing an option put the settings row into edit; the choice is
    // stored, and committed, only when the window closes.
    if (ModifiedState != 2)
        return;
    dm->T_Ayarlar->edit();
    dm->T_Ayarlar->post();
    ModifiedState = 0;
}

bool Tr_Adisyon::formClose()
{
    FormClose();
    return true;
}

#include "u_F_Stok.h"

#include "WindowKit.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DataLineEdit.h"
#include "platform/ui/DataLookupComboBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

int lastSavepoint = 0;

// A lookup list shows its stored value greyed when the value is not among
// its choices; only a list showing nothing at all is empty.
bool showsNoText(const QComboBox* box)
{
    return box->currentText().trimmed().isEmpty() && box->placeholderText().trimmed().isEmpty();
}

}  // namespace

TF_Stok::TF_Stok(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("F_Stok"));
    resize(620, 440);
    QFont base = font();
    base.setPointSize(12);
    setFont(base);

    ToolBar1 = masterdata::makeToolBar(this, QStringLiteral("ToolBar1"));
    ToolButton1 = masterdata::addToolButton(ToolBar1, QStringLiteral("ToolButton1"), QStringLiteral(" Yeni Stok "),
                                            QStringLiteral("yeni"));
    ToolButton2 = masterdata::addToolButton(ToolBar1, QStringLiteral("ToolButton2"), QStringLiteral("Kaydet"),
                                            QStringLiteral("kaydet"));
    ToolButton3 = masterdata::addToolButton(ToolBar1, QStringLiteral("ToolButton3"), QStringLiteral("Vazgeç"),
                                            QStringLiteral("vazgec"));
    ToolButton4 = masterdata::addToolButton(ToolBar1, QStringLiteral("ToolButton4"), QStringLiteral("Çıkış"),
                                            QStringLiteral("cikis"));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFocusPolicy(Qt::ClickFocus);
    // A focused field stands out: thick teal frame, the active caption's
    // gradient colour, bold text.
    Panel1->setStyleSheet(QStringLiteral(
        "QLineEdit, QComboBox { min-height: 36px; }"
        "QLineEdit:focus, QComboBox:focus { border: 3px solid #008080; background-color: #B9D1EA; "
        "font-weight: bold; }"
        "QComboBox#cxDBLookupComboBox1 { color: red; font-weight: bold; }"));

    const auto caption = [this](const QString& name, const QString& text) {
        auto* label = new QLabel(text, Panel1);
        label->setObjectName(name);
        masterdata::styleCaption(label);
        return label;
    };
    cxLabel4 = caption(QStringLiteral("cxLabel4"), QStringLiteral("Stok Kodu"));
    eKodu = new ui::DataLineEdit(dm->Ds_Q_Stok, QStringLiteral("STOK_KODU"), Panel1);
    eKodu->setObjectName(QStringLiteral("eKodu"));
    Uret = new QToolButton(Panel1);
    Uret->setObjectName(QStringLiteral("Uret"));
    Uret->setText(QStringLiteral("Üret"));
    Uret->setAccessibleName(QStringLiteral("Üret"));
    Uret->setIcon(QIcon(QStringLiteral(":/masterdata/icons/uret.svg")));
    Uret->setIconSize(QSize(32, 32));
    Uret->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Uret->setAutoRaise(true);
    Uret->setFocusPolicy(Qt::TabFocus);
    Uret->setMinimumSize(masterdata::touchSize + 40, masterdata::touchSize - 24);

    cxLabel1 = caption(QStringLiteral("cxLabel1"), QStringLiteral("Stok Adı"));
    eAdi = new ui::DataLineEdit(dm->Ds_Q_Stok, QStringLiteral("STOK_ADI"), Panel1);
    eAdi->setObjectName(QStringLiteral("eAdi"));

    cxLabel2 = caption(QStringLiteral("cxLabel2"), QStringLiteral("Stok Grubu"));
    cxDBLookupComboBox1 = new ui::DataLookupComboBox(Panel1);
    cxDBLookupComboBox1->setObjectName(QStringLiteral("cxDBLookupComboBox1"));
    cxDBLookupComboBox1->setListSource(dm->Ds_Q_Grup, QStringLiteral("GRUP_ADI"), QStringLiteral("GRUP_ADI"));
    cxDBLookupComboBox1->bind(dm->Ds_Q_Stok, QStringLiteral("GRUP_ADI"));

    cxLabel3 = caption(QStringLiteral("cxLabel3"), QStringLiteral("Stok Birim "));
    cxDBLookupComboBox2 = new ui::DataLookupComboBox(Panel1);
    cxDBLookupComboBox2->setObjectName(QStringLiteral("cxDBLookupComboBox2"));
    cxDBLookupComboBox2->setListSource(dm->Ds_Q_Birim, QStringLiteral("BIRIM"), QStringLiteral("BIRIM"));
    cxDBLookupComboBox2->bind(dm->Ds_Q_Stok, QStringLiteral("BIRIM"));

    cxLabel5 = caption(QStringLiteral("cxLabel5"), QStringLiteral("Satış Fiyatı"));
    eFiyat = new ui::DataLineEdit(dm->Ds_Q_Stok, QStringLiteral("FIYAT"), Panel1);
    eFiyat->setObjectName(QStringLiteral("eFiyat"));

    ui::labelControl(cxLabel4, eKodu);
    ui::labelControl(cxLabel1, eAdi);
    ui::labelControl(cxLabel2, cxDBLookupComboBox1);
    ui::labelControl(cxLabel3, cxDBLookupComboBox2);
    ui::labelControl(cxLabel5, eFiyat);

    auto* fields = new QGridLayout(Panel1);
    fields->setColumnStretch(1, 1);
    fields->setVerticalSpacing(10);
    fields->addWidget(cxLabel4, 0, 0);
    fields->addWidget(eKodu, 0, 1);
    fields->addWidget(Uret, 0, 2);
    fields->addWidget(cxLabel1, 1, 0);
    fields->addWidget(eAdi, 1, 1, 1, 2);
    fields->addWidget(cxLabel2, 2, 0);
    fields->addWidget(cxDBLookupComboBox1, 2, 1, 1, 2);
    fields->addWidget(cxLabel3, 3, 0);
    fields->addWidget(cxDBLookupComboBox2, 3, 1, 1, 2);
    fields->addWidget(cxLabel5, 4, 0);
    fields->addWidget(eFiyat, 4, 1, 1, 2);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ToolBar1);
    layout->addWidget(Panel1);
    layout->addStretch();
    layout->addWidget(StatusBar1);

    const QList<QWidget*> order = fieldsInTabOrder();
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    setTabOrder(order.last(), Uret);
    for (QWidget* field : order)
        field->installEventFilter(this);

    ui::connectGuarded(ToolButton1, &QToolButton::clicked, this, &TF_Stok::ToolButton1Click);
    ui::connectGuarded(ToolButton2, &QToolButton::clicked, this, &TF_Stok::ToolButton2Click);
    ui::connectGuarded(ToolButton3, &QToolButton::clicked, this, &TF_Stok::ToolButton3Click);
    ui::connectGuarded(ToolButton4, &QToolButton::clicked, this, &TF_Stok::ToolButton4Click);
    ui::connectGuarded(Uret, &QToolButton::clicked, this, &TF_Stok::UretClick);

    FormCreate();
}

TF_Stok::~TF_Stok()
{
    endWork();
}

QList<QWidget*> TF_Stok::fieldsInTabOrder() const
{
    return {eKodu, eAdi, cxDBLookupComboBox1, cxDBLookupComboBox2, eFiyat};
}

void TF_Stok::beginWork()
{
    const QString name = QStringLiteral("F_STOK_%1").arg(++lastSavepoint);
    dm->IBTransaction1->savepoint(name);
    savepoint_ = name;
}

void TF_Stok::endWork() noexcept
{
    if (savepoint_.isEmpty())
        return;
    const QString name = savepoint_;
    savepoint_.clear();
    try {
        dm->IBTransaction1->releaseSavepoint(name);
    } catch (...) {
        // Gone with the connection; there is nothing left to release.
    }
}

template <class Step>
void TF_Stok::committing(Step&& step)
{
    endWork();
    struct Again {
        TF_Stok* editor;
        ~Again()
        {
            try {
                editor->beginWork();
            } catch (...) {
                // Without a savepoint a discard has nothing of its own to
                // undo: every store of this editor commits at once.
            }
        }
    } again{this};
    step();
}

void TF_Stok::FormCreate()
{
    dm->Q_Grup->open();
    beginWork();
}

bool TF_Stok::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        if (eKoduKeyPress(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event)))
            return true;
    }
    return ui::Form::eventFilter(watched, event);
}

bool TF_Stok::eKoduKeyPress(QWidget* field, QKeyEvent* key)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    const QList<QWidget*> order = fieldsInTabOrder();
    const int at = order.indexOf(field);
    if (at < 0)
        return false;
    order[(at + 1) % order.size()]->setFocus(Qt::TabFocusReason);
    return true;
}

void TF_Stok::UretClick()
{
    // An existing code is never replaced, and then no number is used up.
    if (!eKodu->text().isEmpty())
        return;
    db::TableDataset* settings = dm->T_Ayarlar;
    if (!settings->active())
        settings->open();
    qint64 number = 0;
    // The raised counter is committed at once, so a number is never handed
    // out twice, even when this product is then abandoned.
    committing([&] {
        settings->edit();
        db::Field* counter = settings->fieldByName(QStringLiteral("N_STOK_KODU"));
        number = counter->asInteger() + 1;
        counter->setAsInteger(number);
        masterdata::postOrCancel(*settings);
    });
    dm->Q_Stok->edit();
    const QString prefix = settings->fieldByName(QStringLiteral("M_STOK_KODU"))->asString();
    dm->Q_Stok->fieldByName(QStringLiteral("STOK_KODU"))->setAsString(prefix + QString::number(number));
    eAdi->setFocus();
}

void TF_Stok::ToolButton2Click()
{
    if (!masterdata::acceptTypedText({eKodu, eAdi, eFiyat}))
        return;
    struct Required {
        QWidget* field;
        bool empty;
        QString message;
    };
    const Required checks[] = {
        {eKodu, eKodu->text().trimmed().isEmpty(), QStringLiteral("Kodu zorunlu alandır")},
        {eAdi, eAdi->text().trimmed().isEmpty(), QStringLiteral("Adi zorunlu alandır")},
        {cxDBLookupComboBox1, showsNoText(cxDBLookupComboBox1), QStringLiteral("Grup zorunlu alandır")},
        {eFiyat, eFiyat->text().trimmed().isEmpty(), QStringLiteral("Fiyat zorunlu alandır")},
    };
    for (const Required& check : checks) {
        if (check.empty) {
            ui::showMessage(check.message);
            Panel1->setFocus();
            check.field->setFocus();
            return;
        }
    }
    // A failed store leaves the row being inserted or edited, with what the
    // user typed, and the work still pending.
    committing([&] {
        dm->Q_Stok->edit();
        dm->Q_Stok->post();
        ModifiedState = 0;
        dm->IBTransaction1->commitRetaining();
    });
}

void TF_Stok::ToolButton1Click()
{
    if (ModifiedState == 2) {
        ui::showMessage(QStringLiteral("Kayıt ekleme ya da düzenleme modunda"),
                        QGuiApplication::applicationDisplayName());
        return;
    }
    dm->Q_Stok->append();
    setWindowTitle(QStringLiteral("Yeni-Stok"));
    eKodu->setFocus();
}

void TF_Stok::ToolButton3Click()
{
    close();
}

void TF_Stok::ToolButton4Click()
{
    close();
}

bool TF_Stok::FormClose()
{
    if (ModifiedState != 2) {
        endWork();
        return true;
    }
    if (!ui::askYesNo(QStringLiteral("Stok Kaydedilmemiş! Kayıt Yapılmadan Çıkış yapılacak\rOnaylıyor musunuz?"),
                      QStringLiteral("Hata"), ui::MessageIcon::Warning))
        return false;
    dm->Q_Stok->cancel();
    ModifiedState = 0;
    // Only this editor's own work goes: what other commands stored before
    // it opened stays in the transaction.
    if (!savepoint_.isEmpty())
        dm->IBTransaction1->rollbackToSavepoint(savepoint_);
    endWork();
    dm->T_Ayarlar->close();
    dm->T_Ayarlar->open();
    return true;
}

#include "u_L_Ayarlar.h"

#include "WindowKit.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Field.h"
#include "platform/ui/DataCheckBox.h"
#include "platform/ui/DataColorEdit.h"
#include "platform/ui/DataComboBox.h"
#include "platform/ui/DataLineEdit.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QGroupBox* group(QWidget* window, const QString& name, const QString& caption)
{
    auto* box = new QGroupBox(caption, window);
    box->setObjectName(name);
    return box;
}

template <class Control>
Control* named(Control* control, const QString& name)
{
    control->setObjectName(name);
    return control;
}

// A row of a group: the label on the left, the edit on the right.
void addRow(QFormLayout* rows, const QString& caption, QWidget* control)
{
    auto* label = new QLabel(caption);
    ui::labelControl(label, control);
    rows->addRow(label, control);
}

}  // namespace

TL_Ayarlar::TL_Ayarlar(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("L_Ayarlar"));
    setWindowTitle(QStringLiteral("Ayarlar"));
    resize(682, 554);
    setStyleSheet(QStringLiteral("QLineEdit, QComboBox { min-height: 28px; }"));
    db::DataSource* source = dm->Ds_T_Ayarlar;
    const auto edit = [&](const QString& name, const QString& column) {
        return named(new ui::DataLineEdit(source, column, this), name);
    };

    cxGroupBox1 = group(this, QStringLiteral("cxGroupBox1"), QStringLiteral("Masa Düğme Ayarları"));
    dxDBColorEdit1 = named(new ui::DataColorEdit(source, QStringLiteral("MASA_COLOR")), QStringLiteral("dxDBColorEdit1"));
    dxDBColorEdit2 =
        named(new ui::DataColorEdit(source, QStringLiteral("MASA_COLOR_2")), QStringLiteral("dxDBColorEdit2"));
    dxDBColorEdit3 =
        named(new ui::DataColorEdit(source, QStringLiteral("MASA_FONT_COLOR")), QStringLiteral("dxDBColorEdit3"));
    cxDBTextEdit3 = edit(QStringLiteral("cxDBTextEdit3"), QStringLiteral("MASA_FONT_SIZE"));
    cxDBTextEdit1 = edit(QStringLiteral("cxDBTextEdit1"), QStringLiteral("MASA_W"));
    cxDBTextEdit2 = edit(QStringLiteral("cxDBTextEdit2"), QStringLiteral("MASA_H"));
    auto* buttons = new QFormLayout(cxGroupBox1);
    addRow(buttons, QStringLiteral("Açık Renk"), dxDBColorEdit1);
    addRow(buttons, QStringLiteral("Kapalı Renk"), dxDBColorEdit2);
    addRow(buttons, QStringLiteral("Font Renk"), dxDBColorEdit3);
    addRow(buttons, QStringLiteral("Font Size"), cxDBTextEdit3);
    addRow(buttons, QStringLiteral("Düğme Boy"), cxDBTextEdit1);
    addRow(buttons, QStringLiteral("Düğme En"), cxDBTextEdit2);

    cxGroupBox2 = group(this, QStringLiteral("cxGroupBox2"), QStringLiteral("Grid Font Size"));
    cxDBTextEdit4 = edit(QStringLiteral("cxDBTextEdit4"), QStringLiteral("GRD_1_FONT_SIZE"));
    cxDBTextEdit5 = edit(QStringLiteral("cxDBTextEdit5"), QStringLiteral("GRD_2_FONT_SIZE"));
    auto* grids = new QFormLayout(cxGroupBox2);
    addRow(grids, QStringLiteral("Grid 1"), cxDBTextEdit4);
    addRow(grids, QStringLiteral("Grid 2"), cxDBTextEdit5);

    // Prefix and counter side by side; the counter says which it is to a
    // screen reader.
    cxGroupBox3 = group(this, QStringLiteral("cxGroupBox3"), QStringLiteral("Numaratör"));
    cxDBTextEdit6 = edit(QStringLiteral("cxDBTextEdit6"), QStringLiteral("M_STOK_KODU"));
    cxDBTextEdit7 = edit(QStringLiteral("cxDBTextEdit7"), QStringLiteral("N_STOK_KODU"));
    cxDBTextEdit8 = edit(QStringLiteral("cxDBTextEdit8"), QStringLiteral("M_ADISYON"));
    cxDBTextEdit9 = edit(QStringLiteral("cxDBTextEdit9"), QStringLiteral("N_ADISYON"));
    auto* counters = new QGridLayout(cxGroupBox3);
    const auto counterRow = [&](int row, const QString& caption, ui::DataLineEdit* prefix, ui::DataLineEdit* number) {
        auto* label = new QLabel(caption);
        ui::labelControl(label, prefix);
        prefix->setAccessibleName(caption + QStringLiteral(" ön eki"));
        number->setAccessibleName(caption + QStringLiteral(" sayacı"));
        counters->addWidget(label, row, 0);
        counters->addWidget(prefix, row, 1);
        counters->addWidget(number, row, 2);
    };
    counterRow(0, QStringLiteral("Stok"), cxDBTextEdit6, cxDBTextEdit7);
    counterRow(1, QStringLiteral("Adisyon"), cxDBTextEdit8, cxDBTextEdit9);

    cxGroupBox4 = group(this, QStringLiteral("cxGroupBox4"), QStringLiteral("Genel Ayarlar"));
    cxDBCheckBox1 = named(new ui::DataCheckBox(QStringLiteral("Nakit tahsilat beni uyar"), source,
                                               QStringLiteral("KASA_UYARI")),
                          QStringLiteral("cxDBCheckBox1"));
    cxDBCheckBox2 = named(new ui::DataCheckBox(QStringLiteral("Kart tahsilat beni uyar"), source,
                                               QStringLiteral("BANKA_UYARI")),
                          QStringLiteral("cxDBCheckBox2"));
    cxDBCheckBox3 = named(new ui::DataCheckBox(QStringLiteral("Adisyon stok grupla"), source,
                                               QStringLiteral("STOK_GRUPLA")),
                          QStringLiteral("cxDBCheckBox3"));
    auto* switches = new QVBoxLayout(cxGroupBox4);
    switches->addWidget(cxDBCheckBox1);
    switches->addWidget(cxDBCheckBox2);
    switches->addWidget(cxDBCheckBox3);

    cxGroupBox5 = group(this, QStringLiteral("cxGroupBox5"), QStringLiteral("Kullanıcı"));
    cxDBTextEdit10 = edit(QStringLiteral("cxDBTextEdit10"), QStringLiteral("KULLANICI_ADI"));
    cxDBTextEdit11 = edit(QStringLiteral("cxDBTextEdit11"), QStringLiteral("KULLANICI_SIFRE"));
    cxDBTextEdit11->setPasswordMode(true);
    CheckBox1 = named(new QCheckBox(QStringLiteral("Şifre Göster")), QStringLiteral("CheckBox1"));
    CheckBox1->setAccessibleName(QStringLiteral("Şifre Göster"));
    CheckBox1->setChecked(false);
    auto* user = new QFormLayout(cxGroupBox5);
    addRow(user, QStringLiteral("Kullanıcı"), cxDBTextEdit10);
    addRow(user, QStringLiteral("Şifre"), cxDBTextEdit11);
    user->addRow(QString(), CheckBox1);

    cxGroupBox6 = group(this, QStringLiteral("cxGroupBox6"), QStringLiteral("Termal Yazıcı"));
    cxDBComboBox1 = named(new ui::DataComboBox(source, QStringLiteral("YAZICI")), QStringLiteral("cxDBComboBox1"));
    cxDBComboBox1->setAccessibleName(QStringLiteral("Termal Yazıcı"));
    auto* printer = new QVBoxLayout(cxGroupBox6);
    printer->addWidget(cxDBComboBox1);

    cxButton2 = named(new QPushButton(QStringLiteral("&Kaydet")), QStringLiteral("cxButton2"));
    cxButton2->setAccessibleName(QStringLiteral("Kaydet"));
    cxButton1 = named(new QPushButton(QStringLiteral("Çıkış")), QStringLiteral("cxButton1"));
    cxButton1->setAccessibleName(QStringLiteral("Çıkış"));
    for (QPushButton* button : {cxButton2, cxButton1}) {
        button->setMinimumSize(130, 52);
        button->setAutoDefault(false);
    }
    auto* bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(cxButton2);
    bar->addWidget(cxButton1);

    auto* groups = new QGridLayout;
    groups->addWidget(cxGroupBox1, 0, 0, 2, 1);
    groups->addWidget(cxGroupBox2, 2, 0, 2, 1);
    groups->addWidget(cxGroupBox3, 0, 1);
    groups->addWidget(cxGroupBox4, 1, 1);
    groups->addWidget(cxGroupBox5, 2, 1);
    groups->addWidget(cxGroupBox6, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups, 1);
    layout->addLayout(bar);

    ui::connectGuarded(cxButton2, &QPushButton::clicked, this, &TL_Ayarlar::cxButton2Click);
    ui::connectGuarded(cxButton1, &QPushButton::clicked, this, &TL_Ayarlar::cxButton1Click);
    ui::connectGuarded(CheckBox1, &QCheckBox::clicked, this, &TL_Ayarlar::CheckBox1Click);

    FormCreate();
}

QList<ui::DataLineEdit*> TL_Ayarlar::edits() const
{
    return {cxDBTextEdit3, cxDBTextEdit1, cxDBTextEdit2, cxDBTextEdit4, cxDBTextEdit5, cxDBTextEdit6,
            cxDBTextEdit7, cxDBTextEdit8, cxDBTextEdit9, cxDBTextEdit10, cxDBTextEdit11};
}

void TL_Ayarlar::FormCreate()
{
    dm->T_Ayarlar->open();
    // Without a settings row this starts one, which "&Kaydet" inserts.
    dm->T_Ayarlar->edit();
    // No printers installed is an empty list, not an error.
    cxDBComboBox1->setItems(QPrinterInfo::availablePrinterNames());
}

bool TL_Ayarlar::save()
{
    if (!masterdata::acceptTypedText(edits()))
        return false;
    dm->T_Ayarlar->edit();
    dm->T_Ayarlar->post();
    // Stored and committed: nothing is pending anywhere, since this window
    // is opened only while no other work window is.
    ModifiedState = 0;
    return true;
}

void TL_Ayarlar::cxButton2Click()
{
    save();
}

void TL_Ayarlar::cxButton1Click()
{
    close();
}

void TL_Ayarlar::CheckBox1Click()
{
    cxDBTextEdit11->setPasswordMode(!CheckBox1->isChecked());
}

bool TL_Ayarlar::hasUnsavedChanges() const
{
    db::Dataset* settings = dm->T_Ayarlar;
    if (!settings->active() || !settings->isEditing())
        return false;
    if (settings->modified())
        return true;
    // Text its field refused is typed but not in the row either.
    for (ui::DataLineEdit* e : edits()) {
        const db::Field* f = e->field();
        if (f && e->text() != ui::editText(*f) && e->text() != f->displayText())
            return true;
    }
    return false;
}

bool TL_Ayarlar::FormClose()
{
    if (hasUnsavedChanges() &&
        ui::askYesNo(QStringLiteral("Ayarlarda kaydedilmemiş değişiklikler var.\rKaydedilsin mi?"),
                     QStringLiteral("Soru"), ui::MessageIcon::Warning))
        return save();
    // Unchanged, or the user chose to drop the changes: the row goes back to
    // what is stored, and nothing is left pending for another window.
    dm->T_Ayarlar->cancel();
    ModifiedState = 0;
    return true;
}

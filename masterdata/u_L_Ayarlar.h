#pragma once

#include "platform/ui/Form.h"

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace ui {
class DataCheckBox;
class DataColorEdit;
class DataComboBox;
class DataLineEdit;
}  // namespace ui

// The settings window ("Ayarlar"): the one settings row, edited in place.
// The row is in edit from the start; "&Kaydet" stores and commits it, and
// closing with unsaved changes asks whether to keep them, so nothing typed
// is silently lost or silently left pending for another window.
class TL_Ayarlar : public ui::Form {
    Q_OBJECT

public:
    explicit TL_Ayarlar(QWidget* owner = nullptr);

    QGroupBox* cxGroupBox1;  // "Masa Düğme Ayarları"
    QGroupBox* cxGroupBox2;  // "Grid Font Size"
    QGroupBox* cxGroupBox3;  // "Numaratör"
    QGroupBox* cxGroupBox4;  // "Genel Ayarlar"
    QGroupBox* cxGroupBox5;  // "Kullanıcı"
    QGroupBox* cxGroupBox6;  // "Termal Yazıcı"
    ui::DataColorEdit* dxDBColorEdit1;
    ui::DataColorEdit* dxDBColorEdit2;
    ui::DataColorEdit* dxDBColorEdit3;
    ui::DataLineEdit* cxDBTextEdit3;
    ui::DataLineEdit* cxDBTextEdit1;
    ui::DataLineEdit* cxDBTextEdit2;
    ui::DataLineEdit* cxDBTextEdit4;
    ui::DataLineEdit* cxDBTextEdit5;
    ui::DataLineEdit* cxDBTextEdit6;
    ui::DataLineEdit* cxDBTextEdit7;
    ui::DataLineEdit* cxDBTextEdit8;
    ui::DataLineEdit* cxDBTextEdit9;
    ui::DataCheckBox* cxDBCheckBox1;
    ui::DataCheckBox* cxDBCheckBox2;
    ui::DataCheckBox* cxDBCheckBox3;
    ui::DataLineEdit* cxDBTextEdit10;
    ui::DataLineEdit* cxDBTextEdit11;
    QCheckBox* CheckBox1;
    ui::DataComboBox* cxDBComboBox1;
    QPushButton* cxButton2;
    QPushButton* cxButton1;

    void FormCreate();
    void cxButton2Click();
    void cxButton1Click();
    void CheckBox1Click();
    bool FormClose();

protected:
    bool formClose() override { return FormClose(); }

private:
    QList<ui::DataLineEdit*> edits() const;
    bool hasUnsavedChanges() const;
    // Stores and commits the row; false when a typed value was refused.
    bool save();
};

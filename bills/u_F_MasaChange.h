#pragma once

#include "platform/ui/Form.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace db {
class Dataset;
}

namespace ui {
class DataLabel;
}

// Moves the open bill of the current table to a free table chosen from a
// list.
class TF_MasaChange : public ui::Form {
    Q_OBJECT

public:
    explicit TF_MasaChange(QWidget* owner = nullptr);
    ~TF_MasaChange() override;

    QFrame* Panel1;
    ui::DataLabel* cxDBLabel1;
    QFrame* Panel2;
    QLabel* Image1;
    QComboBox* cxComboBox1;
    QPushButton* BitBtn1;  // "Tamam"
    QPushButton* BitBtn2;  // "Çıkış"

    void FormCreate();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    // The free tables, read once when the window is created.
    db::Dataset* freeTables_ = nullptr;
};

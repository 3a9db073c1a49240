#pragma once

#include "platform/ui/Form.h"

class QCheckBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace db {
class Dataset;
}

namespace ui {
class DataRadioGroup;
}

// The bill summary report: the cash and card totals of the valid bills per
// table name for a range of days, by the bills' opening or closing time,
// optionally only for table names that begin with, or contain, a text. The
// choice of opening or closing time is kept in the settings row.
class Tr_Adisyon : public ui::Form {
    Q_OBJECT

public:
    explicit Tr_Adisyon(QWidget* owner = nullptr);
    ~Tr_Adisyon() override;

    QLabel* Label1;  // the heading
    QFrame* Panel1;  // the cream panel holding the inputs
    QLabel* Label2;  // "Başlangıç Tarihi"
    QDateEdit* cxDateEdit1;
    QLabel* Label3;  // "Bitiş Tarihi"
    QDateEdit* cxDateEdit2;
    QLabel* Image1;
    QLabel* Label4;  // "Masa Adı"
    QLineEdit* cxTextEdit1;
    QCheckBox* cxCheckBox1;
    ui::DataRadioGroup* cxDBRadioGroup1;
    QPushButton* cxButton1;  // "Rapor"
    QPushButton* cxButton3;  // "Dizayn"
    QPushButton* cxButton2;  // "Çıkış"

    void FormCreate();
    void cxButton1Click();
    // Binds a fresh query to "Ds_1" and loads the summary's template.
    void loadSummaryReport();
    void cxButton3Click();
    void cxButton2Click();
    void FormClose();

    // Builds the summary select from the inputs as they stand, opens it in
    // the shared transaction and returns it. Each call makes a new query,
    // owned by the window.
    db::Dataset* OpenReportQuery();
    // The query of the latest "Rapor" or "Dizayn", nullptr before the first.
    db::Dataset* reportQuery() const { return reportQuery_; }

protected:
    bool formClose() override;

private:
    void buildControls();

    db::Dataset* reportQuery_ = nullptr;
};

#pragma once

#include "platform/ui/Form.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class DataCheckBox;
}

// The login window: connects the data module to the first database of
// database.txt and lets in only the user name and password of the settings
// row. Closing it without a successful login ends the program.
class TGiris : public ui::Form {
    Q_OBJECT

public:
    explicit TGiris(QWidget* owner = nullptr);

    QLabel* cxLabel3;
    QFrame* Panel2;
    QLabel* Image1;
    QLabel* cxLabel2;
    QComboBox* comDataBase;
    QLabel* iOK;
    QLabel* iNot;
    QLabel* cxLabel6;
    QLineEdit* eKullanici;
    QLabel* cxLabel1;
    QLineEdit* eSifre;
    ui::DataCheckBox* cxDBCheckBox7;
    QPushButton* cxButton1;
    QPushButton* cxButton2;

    void FormCreate();
    void cxButton1Click();
    void cxButton2Click();
    // Returns whether the key was swallowed.
    bool eSifreKeyPress(int key);
    void FormClose();

    // The maker's web address, named in the connection message.
    static QString webAddress();
    static QString connectionFailedText();
    // The database names of database.txt, one a line, in the file's order.
    static QStringList databaseList(const QByteArray& contents);

protected:
    bool formClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectToFirstDatabase();
};

extern TGiris* Giris;

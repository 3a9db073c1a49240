#pragma once

#include "DataControl.h"

#include <QDateEdit>

namespace ui {

// A date edit over a date, timestamp or text field, with a calendar. An
// empty field shows as a blank edit (the edit's lowest date stands for it).
// On a timestamp the time of day already stored is kept.
class DataDateEdit : public QDateEdit, public DataControl {
    Q_OBJECT

public:
    explicit DataDateEdit(QWidget* parent = nullptr);
    DataDateEdit(db::DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

    // The date shown; a null date when the field is empty.
    QDate shownDate() const;

private:
    void fill();
    void userChanged(const QDate& date);
};

}  // namespace ui

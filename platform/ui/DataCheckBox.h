#pragma once

#include "DataControl.h"

#include <QCheckBox>

namespace ui {

// A check box over a field. On a text field it writes exactly "True" when
// ticked and "False" when not, and shows ticked only for the exact text
// "True" (the program's text flags); on a boolean field it writes the
// boolean, on a number 1 or 0.
class DataCheckBox : public QCheckBox, public DataControl {
    Q_OBJECT

public:
    explicit DataCheckBox(const QString& caption, QWidget* parent = nullptr);
    DataCheckBox(const QString& caption, db::DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

private:
    void fill();
    void userClicked(bool checked);
};

}  // namespace ui

#pragma once

#include "DataControl.h"

#include <QComboBox>

namespace ui {

// A drop-down list that accepts only its own items and writes the chosen
// item's text into the field. A stored value that is not among the items is
// still shown, greyed, until the user picks an item.
class DataComboBox : public QComboBox, public DataControl {
    Q_OBJECT

public:
    explicit DataComboBox(QWidget* parent = nullptr);
    DataComboBox(db::DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const;

private:
    void fill();
    void userChose(int index);
};

}  // namespace ui

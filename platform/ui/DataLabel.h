#pragma once

#include "DataControl.h"

#include <QLabel>

namespace ui {

// Shows the field's display text (its display format applied); empty when
// the dataset is closed or has no row.
class DataLabel : public QLabel, public DataControl {
    Q_OBJECT

public:
    explicit DataLabel(QWidget* parent = nullptr);
    DataLabel(db::DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

private:
    void fill();
};

}  // namespace ui

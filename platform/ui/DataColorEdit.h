#pragma once

#include "DataControl.h"

#include <QPushButton>

namespace ui {

// A colour picker over an integer field holding a 0x00BBGGRR colour value.
// It shows a swatch and the colour's "#RRGGBB" name; a click asks the dialog
// service for a colour and writes the chosen one.
class DataColorEdit : public QPushButton, public DataControl {
    Q_OBJECT

public:
    explicit DataColorEdit(QWidget* parent = nullptr);
    DataColorEdit(db::DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

    // The stored value; nothing when the field is empty.
    std::optional<qint64> colorValue() const;
    // Writes a colour as the user's choice would.
    void chooseColor(const QColor& color);

private:
    void fill();
    void userClicked();
};

}  // namespace ui

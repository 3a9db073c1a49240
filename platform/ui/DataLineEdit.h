#pragma once

#include "DataControl.h"

#include <QLineEdit>

#include <optional>

namespace ui {

// A one-line edit of a field. It shows the field's display text while it
// does not have the focus and the plain value while the user edits it. Each
// key puts the dataset into edit and writes the field, so the dataset holds
// the text even when a toolbar button posts without taking the focus. While
// the text is one the field refuses, the field holds the value it had before
// the user began; the refusal is reported when the user leaves the edit or
// presses Enter, and the edit then shows the field's value again.
class DataLineEdit : public QLineEdit, public DataControl {
    Q_OBJECT

public:
    explicit DataLineEdit(QWidget* parent = nullptr);
    DataLineEdit(db::DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

    // Shows a mask character for each letter (passwords).
    void setPasswordMode(bool masked);
    bool passwordMode() const { return echoMode() == QLineEdit::Password; }

    // Reports refused text now, as leaving the edit would.
    void finishEditing();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void fill();
    void userEdited(const QString& text);

    bool refused_ = false;
    std::optional<QVariant> before_;  // the field's value before the user's edit
};

// The text of a field as the user edits it: no display format, no grouping.
QString editText(const db::Field& field);

}  // namespace ui

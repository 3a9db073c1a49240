#pragma once

#include "DataControl.h"

#include <QPlainTextEdit>

#include <optional>

namespace ui {

// A multi-line edit of a text field; writes like DataLineEdit, key by key,
// and reports refused text when the user leaves it, giving the field back
// the value it had before.
class DataMemo : public QPlainTextEdit, public DataControl {
    Q_OBJECT

public:
    explicit DataMemo(QWidget* parent = nullptr);
    DataMemo(db::DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

    void finishEditing();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void fill();
    void userEdited();

    bool refused_ = false;
    std::optional<QVariant> before_;
};

}  // namespace ui

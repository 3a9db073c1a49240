#include "DataLineEdit.h"

#include "platform/db/Field.h"

#include <QFocusEvent>

namespace ui {

QString editText(const db::Field& field)
{
    return field.asString();
}

DataLineEdit::DataLineEdit(QWidget* parent) : QLineEdit(parent), DataControl(this, [this] { fill(); })
{
    connect(this, &QLineEdit::textEdited, this, &DataLineEdit::userEdited);
    connect(this, &QLineEdit::returnPressed, this, &DataLineEdit::finishEditing);
}

DataLineEdit::DataLineEdit(db::DataSource* source, const QString& fieldName, QWidget* parent) : DataLineEdit(parent)
{
    bind(source, fieldName);
}

void DataLineEdit::setPasswordMode(bool masked)
{
    setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void DataLineEdit::fill()
{
    refused_ = false;
    before_.reset();
    db::Field* f = field();
    setReadOnly(!link().canModify());
    if (!f || !link().hasRow()) {
        setText(QString());
        return;
    }
    const QString text = hasFocus() ? editText(*f) : f->displayText();
    if (text != this->text())
        setText(text);
}

void DataLineEdit::userEdited(const QString& text)
{
    if (!before_ && field())
        before_ = field()->value();
    refused_ = !link().tryWrite(text);
    // Text the field refuses never leaves part of itself in the field: a
    // post before the user leaves the edit stores the value from before.
    if (refused_ && before_)
        link().tryWrite(*before_);
}

void DataLineEdit::finishEditing()
{
    if (refused_) {
        refused_ = false;
        if (!link().write(text()))
            return;  // reported, and the edit shows the field again
    }
    link().refresh();
}

void DataLineEdit::focusInEvent(QFocusEvent* event)
{
    if (!refused_)
        link().refresh();
    QLineEdit::focusInEvent(event);
}

void DataLineEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        finishEditing();
}

}  // namespace ui

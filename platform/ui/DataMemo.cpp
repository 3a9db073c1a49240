#include "DataMemo.h"

#include "platform/db/Field.h"

#include <QFocusEvent>

namespace ui {

DataMemo::DataMemo(QWidget* parent) : QPlainTextEdit(parent), DataControl(this, [this] { fill(); })
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &DataMemo::userEdited);
}

DataMemo::DataMemo(db::DataSource* source, const QString& fieldName, QWidget* parent) : DataMemo(parent)
{
    bind(source, fieldName);
}

void DataMemo::fill()
{
    refused_ = false;
    before_.reset();
    db::Field* f = field();
    setReadOnly(!link().canModify());
    const QString text = f && link().hasRow() ? f->asString() : QString();
    if (text != toPlainText())
        setPlainText(text);
}

void DataMemo::userEdited()
{
    if (link().filling())
        return;
    if (!before_ && field())
        before_ = field()->value();
    refused_ = !link().tryWrite(toPlainText());
    if (refused_ && before_)
        link().tryWrite(*before_);
}

void DataMemo::finishEditing()
{
    if (refused_) {
        refused_ = false;
        if (!link().write(toPlainText()))
            return;
    }
    link().refresh();
}

void DataMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        finishEditing();
}

}  // namespace ui

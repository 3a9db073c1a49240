#include "DataLabel.h"

#include "platform/db/Field.h"

namespace ui {

DataLabel::DataLabel(QWidget* parent) : QLabel(parent), DataControl(this, [this] { fill(); })
{
    setTextFormat(Qt::PlainText);
}

DataLabel::DataLabel(db::DataSource* source, const QString& fieldName, QWidget* parent) : DataLabel(parent)
{
    bind(source, fieldName);
}

void DataLabel::fill()
{
    db::Field* f = field();
    setText(f && link().hasRow() ? f->displayText() : QString());
}

}  // namespace ui

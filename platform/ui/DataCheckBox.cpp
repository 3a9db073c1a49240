#include "DataCheckBox.h"

#include "platform/db/Field.h"

namespace ui {

DataCheckBox::DataCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), DataControl(this, [this] { fill(); })
{
    setAccessibleName(plainCaption(caption).trimmed());
    connect(this, &QCheckBox::clicked, this, &DataCheckBox::userClicked);
}

DataCheckBox::DataCheckBox(const QString& caption, db::DataSource* source, const QString& fieldName,
                           QWidget* parent)
    : DataCheckBox(caption, parent)
{
    bind(source, fieldName);
}

void DataCheckBox::fill()
{
    db::Field* f = field();
    setEnabled(!dataSource() || link().canModify());
    bool ticked = false;
    if (f && link().hasRow() && !f->isNull()) {
        if (f->type() == db::FieldType::Boolean)
            ticked = f->value().toBool();
        else if (f->isNumeric())
            ticked = f->asFloat() != 0;
        else
            ticked = f->asString() == QLatin1String("True");
    }
    setChecked(ticked);
}

void DataCheckBox::userClicked(bool checked)
{
    db::Field* f = field();
    if (!f) {
        fill();
        return;
    }
    QVariant value;
    if (f->type() == db::FieldType::Boolean)
        value = checked;
    else if (f->isNumeric())
        value = checked ? 1 : 0;
    else
        value = checked ? QStringLiteral("True") : QStringLiteral("False");
    link().write(value);
}

}  // namespace ui

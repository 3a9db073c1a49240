#include "DataColorEdit.h"

#include "Colors.h"
#include "Dialogs.h"

#include "platform/db/Field.h"

#include <QPixmap>

namespace ui {

DataColorEdit::DataColorEdit(QWidget* parent) : QPushButton(parent), DataControl(this, [this] { fill(); })
{
    connect(this, &QPushButton::clicked, this, &DataColorEdit::userClicked);
}

DataColorEdit::DataColorEdit(db::DataSource* source, const QString& fieldName, QWidget* parent)
    : DataColorEdit(parent)
{
    bind(source, fieldName);
}

std::optional<qint64> DataColorEdit::colorValue() const
{
    db::Field* f = field();
    if (!f || !link().hasRow() || f->isNull())
        return std::nullopt;
    return f->asInteger();
}

void DataColorEdit::fill()
{
    setEnabled(!dataSource() || link().canModify());
    const auto value = colorValue();
    if (!value) {
        setIcon(QIcon());
        setText(QString());
        setAccessibleDescription(QString());
        return;
    }
    QPixmap swatch(16, 16);
    swatch.fill(colorFromValue(*value));
    setIcon(QIcon(swatch));
    setText(colorValueName(*value));
    setAccessibleDescription(text());
}

void DataColorEdit::chooseColor(const QColor& color)
{
    if (link().write(valueFromColor(color)))
        link().refresh();
}

void DataColorEdit::userClicked()
{
    const auto value = colorValue();
    const auto chosen = dialogs().chooseColor(value ? colorFromValue(*value) : QColor(Qt::white), accessibleName());
    if (chosen)
        chooseColor(*chosen);
}

}  // namespace ui

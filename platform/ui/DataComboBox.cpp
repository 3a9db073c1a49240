#include "DataComboBox.h"

#include "platform/db/Field.h"

#include <QAbstractItemModel>

namespace ui {

DataComboBox::DataComboBox(QWidget* parent) : QComboBox(parent), DataControl(this, [this] { fill(); })
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, &DataComboBox::userChose);
    // A combo box makes its first item current when items arrive; the field
    // decides what is shown.
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { link().refresh(); });
}

DataComboBox::DataComboBox(db::DataSource* source, const QString& fieldName, QWidget* parent)
    : DataComboBox(parent)
{
    bind(source, fieldName);
}

void DataComboBox::setItems(const QStringList& items)
{
    clear();
    addItems(items);
    link().refresh();
}

QStringList DataComboBox::items() const
{
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list << itemText(i);
    return list;
}

void DataComboBox::fill()
{
    db::Field* f = field();
    setEnabled(!dataSource() || link().canModify());
    const QString value = f && link().hasRow() ? f->asString() : QString();
    const int index = findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setPlaceholderText(index < 0 ? value : QString());
    setCurrentIndex(index);
}

void DataComboBox::userChose(int index)
{
    if (index >= 0)
        link().write(itemText(index));
}

}  // namespace ui

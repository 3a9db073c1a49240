#include "DataLookupComboBox.h"

#include "platform/db/DataSource.h"
#include "platform/db/Dataset.h"
#include "platform/db/Field.h"

namespace ui {

DataLookupComboBox::DataLookupComboBox(QWidget* parent) : QComboBox(parent), DataControl(this, [this] { fill(); })
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, &DataLookupComboBox::userChose);
}

void DataLookupComboBox::setListSource(db::DataSource* source, const QString& listField, const QString& keyField)
{
    QObject::disconnect(sourceConnection_);
    listSource_ = source;
    listField_ = listField;
    keyField_ = keyField.isEmpty() ? listField : keyField;
    if (source)
        sourceConnection_ = connect(source, &db::DataSource::datasetChanged, this, &DataLookupComboBox::attachList);
    attachList();
}

db::DataSource* DataLookupComboBox::listSource() const
{
    return listSource_;
}

void DataLookupComboBox::attachList()
{
    for (const auto& c : listConnections_)
        QObject::disconnect(c);
    listConnections_.clear();
    if (db::Dataset* d = listSource_ ? listSource_->dataset() : nullptr) {
        const auto reload = [this] { reloadChoices(); };
        listConnections_ << connect(d, &db::Dataset::rowsReset, this, reload)
                         << connect(d, &db::Dataset::rowInserted, this, reload)
                         << connect(d, &db::Dataset::rowRemoved, this, reload)
                         << connect(d, &db::Dataset::rowUpdated, this, reload)
                         << connect(d, &QObject::destroyed, this, reload, Qt::QueuedConnection);
    }
    reloadChoices();
}

void DataLookupComboBox::reloadChoices()
{
    reloading_ = true;
    clear();
    db::Dataset* d = listSource_ ? listSource_->dataset() : nullptr;
    db::Field* shown = d && d->active() ? d->findField(listField_) : nullptr;
    db::Field* key = d && d->active() ? d->findField(keyField_) : nullptr;
    if (shown && key && shown->index() >= 0 && key->index() >= 0) {
        for (int row = 0; row < d->recordCount(); ++row) {
            const QVariant value = d->value(row, shown->index());
            addItem(db::Field::displayText(value, shown->type(), shown->displayFormat()), d->value(row, key->index()));
        }
    }
    reloading_ = false;
    link().refresh();
}

void DataLookupComboBox::fill()
{
    if (reloading_)
        return;
    db::Field* f = field();
    setEnabled(!dataSource() || link().canModify());
    const QVariant value = f && link().hasRow() ? f->value() : QVariant();
    int index = -1;
    if (!value.isNull()) {
        for (int i = 0; i < count() && index < 0; ++i) {
            if (itemData(i) == value)
                index = i;
        }
    }
    setPlaceholderText(index < 0 && f ? f->displayText() : QString());
    setCurrentIndex(index);
}

void DataLookupComboBox::userChose(int index)
{
    if (index >= 0)
        link().write(itemData(index));
}

}  // namespace ui

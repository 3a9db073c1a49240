#include "DataRadioGroup.h"

#include "platform/db/Field.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

DataRadioGroup::DataRadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), DataControl(this, [this] { fill(); }), group_(new QButtonGroup(this))
{
    setAccessibleName(plainCaption(title).trimmed());
    new QVBoxLayout(this);
    connect(group_, &QButtonGroup::idClicked, this, &DataRadioGroup::userChose);
}

void DataRadioGroup::setItems(const QStringList& captions)
{
    for (QAbstractButton* b : group_->buttons()) {
        group_->removeButton(b);
        delete b;
    }
    items_ = captions;
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QRadioButton(captions[i], this);
        b->setAccessibleName(plainCaption(captions[i]).trimmed());
        group_->addButton(b, i);
        layout()->addWidget(b);
    }
    link().refresh();
}

int DataRadioGroup::itemIndex() const
{
    return group_->checkedId();
}

QRadioButton* DataRadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton*>(group_->button(index));
}

void DataRadioGroup::fill()
{
    db::Field* f = field();
    setEnabled(!dataSource() || link().canModify());
    const QString value = f && link().hasRow() ? f->asString() : QString();
    const int index = value.isNull() ? -1 : int(items_.indexOf(value));
    // An exclusive group cannot show no choice; drop the rule while filling.
    group_->setExclusive(false);
    for (int i = 0; i < items_.size(); ++i)
        group_->button(i)->setChecked(i == index);
    group_->setExclusive(true);
}

void DataRadioGroup::userChose(int index)
{
    if (index >= 0 && index < items_.size())
        link().write(items_[index]);
}

}  // namespace ui

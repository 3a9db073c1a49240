#include "DesignerCommands.h"

#include "platform/report/ReportItem.h"

namespace report {

ChangePropertiesCommand::ChangePropertiesCommand(const QString& text, QList<PropertyChange> changes, int mergeId,
                                                 QUndoCommand* parent)
    : QUndoCommand(text, parent), changes_(std::move(changes)), mergeId_(mergeId)
{
}

void ChangePropertiesCommand::redo()
{
    for (const PropertyChange& change : changes_) {
        if (change.target)
            change.target->setProperty(change.property.constData(), change.after);
    }
}

void ChangePropertiesCommand::undo()
{
    // Backwards, so a property written twice ends at its first value.
    for (auto it = changes_.crbegin(); it != changes_.crend(); ++it) {
        if (it->target)
            it->target->setProperty(it->property.constData(), it->before);
    }
}

bool ChangePropertiesCommand::mergeWith(const QUndoCommand* other)
{
    auto* next = dynamic_cast<const ChangePropertiesCommand*>(other);
    if (!next || next->mergeId_ != mergeId_ || next->changes_.size() != changes_.size())
        return false;
    for (int i = 0; i < changes_.size(); ++i) {
        if (changes_[i].target != next->changes_[i].target || changes_[i].property != next->changes_[i].property)
            return false;
    }
    for (int i = 0; i < changes_.size(); ++i)
        changes_[i].after = next->changes_[i].after;
    bool same = true;
    for (const PropertyChange& change : changes_)
        same = same && change.before == change.after;
    // Moving back to where the run began leaves nothing to undo.
    setObsolete(same);
    return true;
}

void placeItem(ReportItem* item, ReportItem* parent, int index)
{
    // QObject has no insert: the items after the place step out and come back
    // behind the new one, which keeps the file order.
    const QList<ReportItem*> siblings = parent->items();
    QList<ReportItem*> after;
    if (index >= 0 && index < siblings.size())
        after = siblings.mid(index);
    for (ReportItem* sibling : after)
        sibling->setParent(nullptr);
    item->setParent(parent);
    for (ReportItem* sibling : after)
        sibling->setParent(parent);
}

InsertItemCommand::InsertItemCommand(const QString& text, ReportItem* item, ReportItem* parent, int index,
                                     QUndoCommand* parentCommand)
    : QUndoCommand(text, parentCommand), item_(item), parent_(parent), index_(index)
{
}

InsertItemCommand::~InsertItemCommand()
{
    if (item_ && !item_->parent())
        delete item_.data();
}

void InsertItemCommand::redo()
{
    if (item_ && parent_)
        placeItem(item_, parent_, index_);
}

void InsertItemCommand::undo()
{
    if (item_)
        item_->setParent(nullptr);
}

RemoveItemCommand::RemoveItemCommand(const QString& text, ReportItem* item, QUndoCommand* parentCommand)
    : QUndoCommand(text, parentCommand), item_(item), parent_(item ? item->parentItem() : nullptr)
{
}

RemoveItemCommand::~RemoveItemCommand()
{
    if (item_ && !item_->parent())
        delete item_.data();
}

void RemoveItemCommand::redo()
{
    if (!item_ || !parent_)
        return;
    index_ = int(parent_->items().indexOf(item_));
    item_->setParent(nullptr);
}

void RemoveItemCommand::undo()
{
    if (item_ && parent_)
        placeItem(item_, parent_, index_);
}

}  // namespace report

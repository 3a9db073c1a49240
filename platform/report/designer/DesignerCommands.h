#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QUndoCommand>
#include <QVariant>

namespace report {

class ReportItem;

// One property write of an undoable change, with the value before and after.
struct PropertyChange {
    QPointer<QObject> target;
    QByteArray property;
    QVariant before;
    QVariant after;
};

// Writes properties of one or more items through their Q_PROPERTYs, so that
// whatever the designer changes reaches the file writer and the engine the
// same way a template's attributes do.
class ChangePropertiesCommand : public QUndoCommand {
public:
    // Commands with the same merge id that write the same properties of the
    // same items fold into one step, so a run of arrow keys is undone at once.
    ChangePropertiesCommand(const QString& text, QList<PropertyChange> changes, int mergeId = -1,
                            QUndoCommand* parent = nullptr);

    void redo() override;
    void undo() override;
    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override;

    const QList<PropertyChange>& changes() const { return changes_; }

private:
    QList<PropertyChange> changes_;
    int mergeId_;
};

// Puts an item under a parent at a place among the parent's items. The
// command owns the item while it is out of the template.
class InsertItemCommand : public QUndoCommand {
public:
    InsertItemCommand(const QString& text, ReportItem* item, ReportItem* parent, int index,
                      QUndoCommand* parentCommand = nullptr);
    ~InsertItemCommand() override;

    void redo() override;
    void undo() override;

private:
    // Guarded: when an item is added and then removed, both commands hold it,
    // and whichever goes first deletes it.
    QPointer<ReportItem> item_;
    QPointer<ReportItem> parent_;
    int index_;
};

// Takes an item out of the template; undo puts it back in its old place.
class RemoveItemCommand : public QUndoCommand {
public:
    RemoveItemCommand(const QString& text, ReportItem* item, QUndoCommand* parentCommand = nullptr);
    ~RemoveItemCommand() override;

    void redo() override;
    void undo() override;

private:
    QPointer<ReportItem> item_;
    QPointer<ReportItem> parent_;
    int index_ = -1;
};

// Puts item under parent as its index-th item (file order); a negative or
// too large index appends it.
void placeItem(ReportItem* item, ReportItem* parent, int index);

}  // namespace report

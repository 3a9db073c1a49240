#include "AtomicUnit.h"

#include "Dataset.h"
#include "Transaction.h"

namespace db {

namespace {
int nextSavepointNumber = 0;
}

AtomicUnit::AtomicUnit(Transaction& transaction, std::initializer_list<Dataset*> affected)
    : transaction_(transaction), affected_(affected)
{
    savepoint_ = QStringLiteral("UNIT_%1").arg(++nextSavepointNumber);
    transaction_.savepoint(savepoint_);
}

AtomicUnit::~AtomicUnit()
{
    if (!done_)
        undo();
}

void AtomicUnit::commit()
{
    // Should the commit fail, the savepoint is still there to undo the unit.
    transaction_.commitRetaining();
    done_ = true;
}

void AtomicUnit::undo() noexcept
{
    done_ = true;
    try {
        transaction_.rollbackToSavepoint(savepoint_);
        transaction_.releaseSavepoint(savepoint_);
    } catch (...) {
        // The connection may be gone; the server then drops the whole
        // transaction, which undoes this unit all the same.
    }
    for (Dataset* d : affected_) {
        try {
            if (d && d->active()) {
                d->cancel();
                d->refresh();
            }
        } catch (...) {
            // Showing stale rows is better than hiding the original error.
        }
    }
}

}  // namespace db

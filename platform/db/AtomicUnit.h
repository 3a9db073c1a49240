#pragma once

#include <QString>

#include <initializer_list>
#include <vector>

namespace db {

class Dataset;
class Transaction;

// Runs one command of the user as a single unit of work: a savepoint when it
// starts and a retaining commit when it completes. Should the command fail
// half-way, everything it did is rolled back to the savepoint and the
// datasets it touched are read again, so the screen shows what is stored.
//
//     db::AtomicUnit unit(transaction, {Q_Masa, Q_Adisyon});
//     ...the command's posts...
//     unit.commit();
//
// A unit that goes out of scope without commit() (an exception) undoes its
// work; the exception goes on to the caller.
class AtomicUnit {
public:
    AtomicUnit(Transaction& transaction, std::initializer_list<Dataset*> affected);
    ~AtomicUnit();
    AtomicUnit(const AtomicUnit&) = delete;
    AtomicUnit& operator=(const AtomicUnit&) = delete;

    void commit();

private:
    void undo() noexcept;

    Transaction& transaction_;
    std::vector<Dataset*> affected_;
    QString savepoint_;
    bool done_ = false;
};

// The same as a function: runs `work` as one unit.
template <class F>
void runAtomically(Transaction& transaction, std::initializer_list<Dataset*> affected, F&& work)
{
    AtomicUnit unit(transaction, affected);
    work();
    unit.commit();
}

}  // namespace db

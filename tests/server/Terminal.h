#pragma once

#include "data/u_dm.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>

// One terminal of the cafe: the program's own data module, connected to the
// shared database the way the login window connects it, with the bill
// panel's datasets open. Its commands do what the bill panel, order entry and
// tables list do to the datasets, each as one unit of work (a savepoint, the
// posts, a retaining commit; on failure everything back to the savepoint and
// the datasets read again).
class Terminal {
public:
    explicit Terminal(const QString& databaseName);
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    Tdm& dm() { return *dm_; }

    // The bill panel's datasets: the tables in MASA_ID order and the open
    // bill of the current table, with its lines and sums.
    void openPanel();
    // A click on the table's button. False when this terminal does not know
    // the table.
    bool selectTable(int masaId);

    // "Yeni Adisyon", a click on each product, "Kaydet": a new bill with one
    // line per product on a free table, which becomes occupied.
    void openBill(int masaId, std::initializer_list<int> products);
    // A product clicked in order entry on the current bill: the line is
    // posted at once (saving it is commitOrder()).
    void addLine(int product);
    // "Kaydet" of order entry without the table step: what was posted is
    // committed.
    void commitOrder();

    // "Nakit Tahsilat" (kind 1) or "Kart Tahsilat" (kind 2) on the current
    // table. `halfWay` runs after the bill row is stored and before the
    // table row is.
    void collect(int kind, const std::function<void()>& halfWay = {});
    // "Masa Degiştir": the current table's bill to `target`. `afterTableFreed`
    // runs once the table it leaves is stored free, `afterBillMoved` once the
    // bill row carries the new table; both before the commit.
    void moveBill(int target, const std::function<void()>& afterTableFreed = {},
                  const std::function<void()>& afterBillMoved = {});
    // "Sil" of the tables list on a table this terminal knows.
    void deleteTable(int masaId);

    // What the current rows say, as this terminal last read them.
    int currentTable();
    int currentTableState();
    bool hasOpenBill();
    int openBillId();
    double amountDue();

private:
    std::unique_ptr<Tdm> dm_;
};

// Order entry on a bill of fifty lines: a product pick, "+" on a line, and a
// discount of the whole bill. Each runs on 48 open bills in turn, so every
// bill stays near fifty lines, with a retaining commit (as "Kaydet" does)
// and the next bill's table made current between two operations, outside
// the measured time. Ours and raw each have a copy of the large database
// with the same open bills, and take turns.
//
// Before the measured operations each benchmark runs a few on a bill of its
// own (after one that prepares the statements, which reads the system
// tables) with the server's record counters read around them: ours and raw
// must show the same reads, inserts and updates per operation, which is
// what tells that both send the same statements.

#include "BenchSupport.h"
#include "BillFixture.h"
#include "RawFirebird.h"

#include "data/u_dm.h"
#include "platform/db/Statement.h"

#include <memory>
#include <stdexcept>

namespace bench {

namespace {

constexpr int kBills = 48;
constexpr int kLinesPerBill = 50;
constexpr int kRounds = 5;
constexpr int kChecks = 20;

// ---------------------------------------------------------------- ours

// As order entry adds a product: a new line at the end of the bill.
void pickOurs(Tdm& dm, int product)
{
    dm.Q_AH->append();
    dm.Q_AH->fieldByName(QStringLiteral("STOK_ID"))->setAsInteger(product);
    dm.Q_AH->fieldByName(QStringLiteral("GC_ID"))->setAsInteger(2);
    dm.Q_AH->post();
}

void plusOurs(Tdm& dm)
{
    dm.Q_AH->edit();
    db::Field* quantity = dm.Q_AH->fieldByName(QStringLiteral("CIKAN"));
    quantity->setAsFloat(quantity->asFloat() + 1);
    dm.Q_AH->post();
}

// As the bill panel's discount does: a statement of its own for the command,
// whose prepared handle the next discount takes back.
void discountOurs(Tdm& dm, double percent)
{
    db::Statement work(*dm.IBTransaction1);
    work.setSql(QString::fromLatin1(sql::kDiscountNamed));
    work.setParam(QStringLiteral("ADISYON_ID"), dm.Q_Adisyon->fieldByName(QStringLiteral("ADISYON_ID"))->asString());
    work.setParam(QStringLiteral("ISKONTO"), percent);
    work.execute();
    dm.Q_AH->close();
    dm.Q_AH->open();
}

// Makes the bill's table current, as a click on its button does.
void selectTableOurs(Tdm& dm, const OpenBill& bill)
{
    dm.IBTransaction1->commitRetaining();
    dm.Q_Masa->locate(QStringLiteral("MASA_ID"), bill.table);
}

// ----------------------------------------------------------------- raw

struct RawLines {
    explicit RawLines(const std::string& path)
        : att(path), tr(att), sums(att, tr, sql::kSums), lines(att, tr, sql::kLines), key(att, tr, sql::kLineKey),
          insert(att, tr, sql::kInsertLine), modify(att, tr, sql::kModifyQuantity), refresh(att, tr, sql::kRefreshLine),
          discount(att, tr, sql::kDiscount)
    {
    }
    rawfb::Attachment att;
    rawfb::Transaction tr;
    rawfb::Statement sums, lines, key, insert, modify, refresh, discount;
    rawfb::RowStore rows;
};

void sumsRaw(RawLines& r, int bill)
{
    r.sums.setInt(0, bill);
    r.sums.execute();
}

void pickRaw(RawLines& r, int bill, int product)
{
    // The sums follow the new, still empty line first.
    r.sums.setNull(0);
    r.sums.execute();
    r.key.execute();
    const std::int64_t sn = r.key.getInt(0);
    r.insert.setInt(kSN, sn);
    r.insert.setInt(kSTOK_ID, product);
    r.insert.setInt(kADISYON_ID, bill);
    r.insert.setInt(kGC_ID, 2);
    r.insert.execute();
    r.refresh.setInt(0, sn);
    r.refresh.execute();
    sumsRaw(r, bill);
}

// The line as the refresh statement last read it is the one changed.
void plusRaw(RawLines& r, int bill)
{
    const std::int64_t sn = r.refresh.getInt(kSN);
    r.modify.setDouble(0, r.refresh.getDouble(kCIKAN) + 1);
    r.modify.setInt(1, sn);
    r.modify.execute();
    r.refresh.setInt(0, sn);
    r.refresh.execute();
    sumsRaw(r, bill);
}

void readLinesRaw(RawLines& r, int bill)
{
    r.lines.setInt(0, bill);
    r.lines.open();
    r.rows.clear();
    r.rows.fetchAll(r.lines);
}

void discountRaw(RawLines& r, int bill, double percent)
{
    r.discount.setDouble(0, percent);
    r.discount.setInt(1, bill);
    r.discount.execute();
    readLinesRaw(r, bill);
    sumsRaw(r, bill);
}

// What ours does unmeasured between two operations, so that both find the
// same pages in the cache.
void selectTableRaw(RawLines& r, const OpenBill& bill)
{
    r.tr.commitRetaining();
    readLinesRaw(r, bill.bill);
    sumsRaw(r, bill.bill);
}

void loadLineRaw(RawLines& r, int sn)
{
    r.refresh.setInt(0, sn);
    r.refresh.execute();
}

double percentFor(std::size_t i)
{
    return 5.0 * double(1 + i % 4);
}

// ------------------------------------------------------------ benchmarks

// Both work copies with their open bills: the same tables, bills and lines
// on each, as the keys come from the same generators.
struct Setup {
    explicit Setup(const QString& name)
        : oursCopy(name + QStringLiteral("-ours")), rawCopy(name + QStringLiteral("-raw")),
          bills(openBills(oursCopy.stdPath(), kBills + 1, kLinesPerBill)),
          rawBills(openBills(rawCopy.stdPath(), kBills + 1, kLinesPerBill)), m(oursCopy.path()),
          r(rawCopy.stdPath())
    {
        if (bills.back().bill != rawBills.back().bill)
            throw std::runtime_error("the two work copies differ");
        m.openBillPanel();
    }
    // The bill where the counters are read: none of the measured ones.
    const OpenBill& checkBill() const { return bills.back(); }

    DatabaseCopy oursCopy, rawCopy;
    std::vector<OpenBill> bills, rawBills;
    DataModule m;
    RawLines r;
};

// Counters around kChecks operations of each side, after one that prepares.
template <class Ours, class Raw>
void checkSameWork(benchmark::State& state, Setup& s, Ours&& ours, Raw&& raw)
{
    ours(0);
    RecordStats before = recordStats(*s.m);
    for (int i = 1; i <= kChecks; ++i)
        ours(i);
    reportStats(state, "ours", recordStats(*s.m) - before, kChecks);
    raw(0);
    before = recordStats(s.r.att);
    for (int i = 1; i <= kChecks; ++i)
        raw(i);
    reportStats(state, "raw", recordStats(s.r.att) - before, kChecks);
}

void pick(benchmark::State& state)
{
    guarded(state, [&] {
        Setup s(QStringLiteral("pick"));
        const OpenBill& check = s.checkBill();
        selectTableOurs(*s.m, check);
        selectTableRaw(s.r, check);
        checkSameWork(
            state, s, [&](int i) { pickOurs(*s.m, productFor(i)); },
            [&](int i) { pickRaw(s.r, check.bill, productFor(i)); });

        Paired paired;
        std::size_t i = 0;
        for (auto _ : state) {
            const OpenBill& bill = s.bills[i % kBills];
            selectTableOurs(*s.m, bill);
            selectTableRaw(s.r, bill);
            const int product = productFor(long(i) + 1000);
            paired.run(state, [&] { pickOurs(*s.m, product); }, [&] { pickRaw(s.r, bill.bill, product); });
            ++i;
        }
        paired.report(state, "pick");
    });
}

// "+" goes to a different line of the bill in each round.
int lineFor(std::size_t i)
{
    return int((i / kBills) * 11 % kLinesPerBill);
}

void plus(benchmark::State& state)
{
    guarded(state, [&] {
        Setup s(QStringLiteral("plus"));
        const OpenBill& check = s.checkBill();
        selectTableOurs(*s.m, check);
        selectTableRaw(s.r, check);
        loadLineRaw(s.r, check.lines.front());
        checkSameWork(
            state, s, [&](int) { plusOurs(*s.m); }, [&](int) { plusRaw(s.r, check.bill); });

        Paired paired;
        std::size_t i = 0;
        for (auto _ : state) {
            const OpenBill& bill = s.bills[i % kBills];
            selectTableOurs(*s.m, bill);
            s.m->Q_AH->moveTo(lineFor(i));
            // The line ours stands on, read for raw as ours has it.
            selectTableRaw(s.r, bill);
            loadLineRaw(s.r, s.m->Q_AH->fieldByName(QStringLiteral("SN"))->asInteger());
            sumsRaw(s.r, bill.bill);
            paired.run(state, [&] { plusOurs(*s.m); }, [&] { plusRaw(s.r, bill.bill); });
            ++i;
        }
        paired.report(state, "plus");
    });
}

void discount(benchmark::State& state)
{
    guarded(state, [&] {
        Setup s(QStringLiteral("discount"));
        const OpenBill& check = s.checkBill();
        selectTableOurs(*s.m, check);
        selectTableRaw(s.r, check);
        checkSameWork(
            state, s, [&](int i) { discountOurs(*s.m, percentFor(size_t(i))); },
            [&](int i) { discountRaw(s.r, check.bill, percentFor(size_t(i))); });

        Paired paired;
        std::size_t i = 0;
        for (auto _ : state) {
            const OpenBill& bill = s.bills[i % kBills];
            selectTableOurs(*s.m, bill);
            selectTableRaw(s.r, bill);
            paired.run(
                state, [&] { discountOurs(*s.m, percentFor(i)); },
                [&] { discountRaw(s.r, bill.bill, percentFor(i)); });
            ++i;
        }
        paired.report(state, "discount");
    });
}

}  // namespace

BENCHMARK(pick)->Iterations(kBills * kRounds)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(plus)->Iterations(kBills * kRounds)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(discount)->Iterations(kBills * kRounds)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace bench

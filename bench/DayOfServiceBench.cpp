// A day of service in one run: 2,000 bills with ten lines each on the free
// tables, up to 25 open at a time. A bill is opened ("Yeni Adisyon": the
// bill row posted), its lines picked, and saved ("Kaydet": the table marked
// occupied, a retaining commit); later it is collected in cash or by card
// (the bill row and the table row posted, the bill reopened empty, a
// retaining commit).
//
// Retaining commits keep the oldest snapshot where the day began, so the
// record versions that each day leaves behind cannot be cleaned up while the
// program runs. The day runs twice: with retaining commits only, and with
// Tdm::renewTransactionIfQuiet() called at the quiet moment after each save
// and collection. Each pick is timed; the day is cut into twelve hours by
// bill, and the last hour's median pick is held against the first hour's.
// The records read per bill show what the pinned snapshot costs elsewhere:
// the open-bill lookup of a table wades through every bill the table had
// that day, because their old index entries cannot be cleaned up.
//
// A third run (group "memory", a process of its own) spends the day with the
// data module alone and reads the process's memory after 200 bills and after
// all 2,000: what a day leaves behind in the program.

#include "BenchSupport.h"
#include "BillFixture.h"
#include "RawFirebird.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#include <QDateTime>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <optional>

namespace bench {

namespace {

constexpr int kBillsPerDay = 2000;
constexpr int kPicksPerBill = 10;
constexpr int kHours = 12;
constexpr int kOpenAtOnce = 25;
constexpr int kEarlyBills = 200;  // when the memory is read the first time

// What happens during the day, the same for ours and raw.
struct Event {
    enum Kind { Open, Collect } kind;
    int bill;   // 0 .. kBillsPerDay - 1
    int table;
    int hour;   // of the day, by the bill being opened when it happens
};

std::vector<int> freeTables(const std::string& path)
{
    rawfb::Attachment att(path);
    rawfb::Transaction tr(att);
    std::vector<int> out;
    rawfb::Statement s(att, tr, "select MASA_ID from MASA where ACIK_KAPALI = 1 order by MASA_ID");
    s.open();
    while (s.fetch())
        out.push_back(int(s.getInt(0)));
    return out;
}

std::vector<Event> planDay(const std::vector<int>& tables)
{
    std::deque<int> free(tables.begin(), tables.end());
    std::deque<std::pair<int, int>> open;  // bill, table
    std::vector<Event> events;
    for (int b = 0; b < kBillsPerDay; ++b) {
        const int hour = b * kHours / kBillsPerDay;
        if (int(open.size()) >= kOpenAtOnce || free.empty()) {
            events.push_back({Event::Collect, open.front().first, open.front().second, hour});
            free.push_back(open.front().second);
            open.pop_front();
        }
        events.push_back({Event::Open, b, free.front(), hour});
        open.emplace_back(b, free.front());
        free.pop_front();
    }
    for (const auto& [bill, table] : open)
        events.push_back({Event::Collect, bill, table, kHours - 1});
    return events;
}

// Cash for two bills in three, card for the third.
bool paidByCard(int bill)
{
    return bill % 3 == 2;
}

struct Transactions {
    std::int64_t oldestSnapshot = 0, next = 0;
};

const char* const kTransactionsSql = "select MON$OLDEST_SNAPSHOT, MON$NEXT_TRANSACTION from MON$DATABASE";

Transactions transactions(Tdm& dm)
{
    db::Transaction t(*dm.IBDatabase1);
    t.setParams({QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")});
    t.start();
    Transactions out;
    {
        db::Statement s(t);
        s.setSql(QString::fromLatin1(kTransactionsSql));
        const auto rows = s.fetchAll();
        out = {rows.front()[0].toLongLong(), rows.front()[1].toLongLong()};
    }
    t.commit();
    return out;
}

Transactions transactions(rawfb::Attachment& att)
{
    rawfb::Transaction t(att);
    Transactions out;
    {
        rawfb::Statement s(att, t, kTransactionsSql);
        s.execute();
        out = {s.getInt(0), s.getInt(1)};
    }
    t.commit();
    return out;
}

// The engine's own memory in use for the database (page cache, locks,
// statements), in megabytes.
double engineMemoryMb(Tdm& dm)
{
    db::Transaction t(*dm.IBDatabase1);
    t.setParams({QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")});
    t.start();
    double out = 0;
    {
        db::Statement s(t);
        s.setSql(QStringLiteral("select u.MON$MEMORY_USED from MON$DATABASE d "
                                "join MON$MEMORY_USAGE u on u.MON$STAT_ID = d.MON$STAT_ID"));
        out = s.fetchAll().front()[0].toDouble() / (1024.0 * 1024.0);
    }
    t.commit();
    return out;
}

// What a day gives: pick times by hour, bill and collection times, and the
// record counters of each hour.
struct DayRecord {
    std::vector<Samples> picks = std::vector<Samples>(kHours);
    std::vector<Samples> bills = std::vector<Samples>(kHours);        // open, picks, save
    std::vector<Samples> collections = std::vector<Samples>(kHours);
    std::vector<Samples> tableClicks = std::vector<Samples>(kHours);  // a table made current
    std::vector<RecordStats> hourStats = std::vector<RecordStats>(kHours);
    Transactions end;
    int renewals = 0;

    double total() const
    {
        double t = 0;
        for (int h = 0; h < kHours; ++h)
            t += bills[size_t(h)].total() + collections[size_t(h)].total();
        return t;
    }

    // Room for every sample of the day at once, so that the samples
    // themselves do not grow the heap while the day is measured.
    void reserveForTheDay()
    {
        const std::size_t billsAnHour = kBillsPerDay / kHours + kOpenAtOnce + 1;
        for (int h = 0; h < kHours; ++h) {
            picks[size_t(h)].reserve(billsAnHour * kPicksPerBill);
            bills[size_t(h)].reserve(billsAnHour);
            collections[size_t(h)].reserve(billsAnHour);
            tableClicks[size_t(h)].reserve(2 * billsAnHour);
        }
    }
};

void print(const char* name, const DayRecord& day)
{
    std::printf("%s: by hour (median ms of a pick / a table click / a bill's opening, picks and save / a "
                "collection; records read and back versions read per bill)\n",
                name);
    for (int h = 0; h < kHours; ++h) {
        const auto& s = day.hourStats[size_t(h)];
        const double n = double(day.bills[size_t(h)].count());
        std::printf("  hour %2d: pick %.3f  click %.3f  bill %.2f  collection %.2f  reads %.0f  back versions %.1f\n",
                    h + 1, day.picks[size_t(h)].median() * 1e3, day.tableClicks[size_t(h)].median() * 1e3,
                    day.bills[size_t(h)].median() * 1e3,
                    day.collections[size_t(h)].median() * 1e3, double(s.seqReads + s.idxReads) / n,
                    double(s.backVersionReads) / n);
    }
    std::printf("  at the end: oldest snapshot %lld, next transaction %lld (%lld apart); %d hard commits\n",
                static_cast<long long>(day.end.oldestSnapshot), static_cast<long long>(day.end.next),
                static_cast<long long>(day.end.next - day.end.oldestSnapshot), day.renewals);
    std::fflush(stdout);
}

void reportDay(benchmark::State& state, const std::string& variant, Side side, const DayRecord& day)
{
    const double first = day.picks.front().median();
    const double last = day.picks.back().median();
    const std::string prefix = side == Side::Ours ? "ours_" : "raw_";
    state.counters[prefix + "first_hour_pick_ms"] = first * 1e3;
    state.counters[prefix + "last_hour_pick_ms"] = last * 1e3;
    state.counters[prefix + "last/first"] = first > 0 ? last / first : 0;
    state.counters[prefix + "snapshot_gap"] = double(day.end.next - day.end.oldestSnapshot);
    record("day." + variant + ".first", side, first);
    record("day." + variant + ".last", side, last);
    record("day." + variant + ".total", side, day.total());
    auto readsPerBill = [&](int h) {
        const RecordStats& s = day.hourStats[size_t(h)];
        return double(s.seqReads + s.idxReads) / double(std::max<std::size_t>(1, day.bills[size_t(h)].count()));
    };
    record("day." + variant + ".reads.first", side, readsPerBill(0));
    record("day." + variant + ".reads.last", side, readsPerBill(kHours - 1));
}

// ---------------------------------------------------------------- ours

class OursDay {
public:
    OursDay(DataModule& m, bool renew) : m_(m), renew_(renew) {}

    void step(const Event& e, DayRecord& day)
    {
        if (e.kind == Event::Open)
            openBill(e, day);
        else
            collect(e, day);
    }

    RecordStats stats() { return recordStats(*m_); }
    Transactions end() { return transactions(*m_); }

private:
    void quietMoment(DayRecord& day)
    {
        if (renew_ && m_->renewTransactionIfQuiet())
            ++day.renewals;
    }

    void openBill(const Event& e, DayRecord& day)
    {
        Tdm& dm = *m_;
        const auto started = Clock::now();
        dm.Q_Masa->locate(QStringLiteral("MASA_ID"), e.table);
        day.tableClicks[size_t(e.hour)].add(secondsSince(started));
        if (dm.Q_Masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger() == 2)
            throw std::runtime_error("the day's plan opened a bill on an occupied table");
        dm.Q_Adisyon->insert();
        dm.Q_Adisyon->post();
        for (int k = 0; k < kPicksPerBill; ++k) {
            const int product = productFor(long(e.bill) * kPicksPerBill + k);
            const auto pickStarted = Clock::now();
            dm.Q_AH->append();
            dm.Q_AH->fieldByName(QStringLiteral("STOK_ID"))->setAsInteger(product);
            dm.Q_AH->fieldByName(QStringLiteral("GC_ID"))->setAsInteger(2);
            dm.Q_AH->post();
            day.picks[size_t(e.hour)].add(secondsSince(pickStarted));
        }
        dm.Q_Masa->edit();
        dm.Q_Masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(2);
        dm.Q_Masa->post();
        ModifiedState = 0;
        dm.IBTransaction1->commitRetaining();
        quietMoment(day);
        day.bills[size_t(e.hour)].add(secondsSince(started));
    }

    void collect(const Event& e, DayRecord& day)
    {
        Tdm& dm = *m_;
        const auto started = Clock::now();
        dm.Q_Masa->locate(QStringLiteral("MASA_ID"), e.table);
        day.tableClicks[size_t(e.hour)].add(secondsSince(started));
        auto sum = [&](const char* name) { return dm.qrySum->fieldByName(QString::fromLatin1(name))->asString(); };
        auto set = [&](const char* name, const QString& text) {
            dm.Q_Adisyon->fieldByName(QString::fromLatin1(name))->setAsString(text);
        };
        dm.Q_Adisyon->edit();
        const bool card = paidByCard(e.bill);
        set("TAHSILAT_ID", card ? QStringLiteral("2") : QStringLiteral("1"));
        dm.Q_Adisyon->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(1);
        set("TUTAR", sum("T_TUTAR"));
        set("ISKONTO", sum("T_ISK"));
        set("ARA_TUTAR", sum("T_ARA_TUTAR"));
        set(card ? "B_TUTAR" : "K_TUTAR", sum("T_ARA_TUTAR"));
        set(card ? "K_TUTAR" : "B_TUTAR", QStringLiteral("0"));
        dm.Q_Adisyon->fieldByName(QStringLiteral("KAPANIS_TARIHI"))->setAsDateTime(QDateTime::currentDateTime());
        dm.Q_Adisyon->post();
        dm.Q_Masa->edit();
        dm.Q_Masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->setAsInteger(1);
        dm.Q_Masa->post();
        dm.Q_Adisyon->close();
        dm.Q_Adisyon->open();
        dm.IBTransaction1->commitRetaining();
        quietMoment(day);
        day.collections[size_t(e.hour)].add(secondsSince(started));
    }

    DataModule& m_;
    bool renew_;
};

// ----------------------------------------------------------------- raw

// The same statements in the same order as the data module sends them,
// following its master and detail rules by hand: a move of the table reads
// the table's open bill, its lines and their sums; the sums take their bill
// from the first line and are asked with an empty bill when there is none.
class RawDay {
public:
    RawDay(const std::string& path, bool renew)
        : att_(path), tr_(att_), renew_(renew), tables_(att_, tr_, "select * from masa order by masa_id  "),
          bill_(att_, tr_,
                "SELECT * FROM  ADISYON WHERE MASA_ID = ? AND IPTAL_ID = 1 AND TURU_ID = 1 AND ACIK_KAPALI = 2"),
          lines_(att_, tr_, sql::kLines), sums_(att_, tr_, sql::kSums),
          billKey_(att_, tr_, "SELECT GEN_ID(ADISYON_ADISYON_ID_GEN, 1) FROM RDB$DATABASE"),
          billInsert_(att_, tr_,
                      "insert into ADISYON (ADISYON_ID, MASA_ID, ACIK_KAPALI, TURU_ID, TARIH, KAPANIS_TARIHI, "
                      "TAHSILAT_ID, TUTAR, K_TUTAR, B_TUTAR, ACIKLAMA, IPTAL_ID, ISKONTO, ARA_TUTAR, FIS_NO) values "
                      "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
          billModify_(att_, tr_,
                      "update ADISYON set ACIK_KAPALI = ?, KAPANIS_TARIHI = ?, TAHSILAT_ID = ?, TUTAR = ?, "
                      "K_TUTAR = ?, B_TUTAR = ?, ISKONTO = ?, ARA_TUTAR = ? where ADISYON_ID = ?"),
          billRefresh_(att_, tr_,
                       "Select ADISYON_ID, MASA_ID, ACIK_KAPALI, TURU_ID, TARIH, KAPANIS_TARIHI, TAHSILAT_ID, TUTAR, "
                       "K_TUTAR, B_TUTAR, ACIKLAMA, IPTAL_ID, ISKONTO, ARA_TUTAR, FIS_NO from ADISYON where "
                       "ADISYON_ID = ?"),
          lineKey_(att_, tr_, sql::kLineKey), lineInsert_(att_, tr_, sql::kInsertLine),
          lineRefresh_(att_, tr_, sql::kRefreshLine),
          tableModify_(att_, tr_, "update MASA set ACIK_KAPALI = ? where MASA_ID = ?"),
          tableRefresh_(att_, tr_, "Select MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI from MASA where MASA_ID = ?")
    {
        // The panel opened on the first table.
        tables_.open();
        while (tables_.fetch()) {
            if (current_ < 0)
                current_ = int(tables_.getInt(0));
            tableRows_.add(tables_);
        }
        followTable(current_);
    }

    void step(const Event& e, DayRecord& day)
    {
        if (e.kind == Event::Open)
            openBill(e, day);
        else
            collect(e, day);
    }

    RecordStats stats() { return recordStats(att_); }
    Transactions end() { return transactions(att_); }

private:
    // Columns of ADISYON in table order, as the insert names them.
    enum BillColumn { ADISYON_ID, MASA_ID, ACIK_KAPALI, TURU_ID, TARIH, KAPANIS_TARIHI, TAHSILAT_ID, TUTAR,
                      K_TUTAR, B_TUTAR, ACIKLAMA, IPTAL_ID, ISKONTO, ARA_TUTAR, FIS_NO };
    // Parameters of the bill's modify at collection: the columns a payment
    // changes, in table order, then the key.
    enum PaymentParam { P_ACIK_KAPALI, P_KAPANIS_TARIHI, P_TAHSILAT_ID, P_TUTAR, P_K_TUTAR, P_B_TUTAR,
                        P_ISKONTO, P_ARA_TUTAR, P_OLD_ADISYON_ID };

    static ISC_TIMESTAMP now()
    {
        const QDateTime t = QDateTime::currentDateTime();
        return rawfb::timestamp(t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                                t.time().minute(), t.time().second(), t.time().msec());
    }

    // The lines of a bill (none for an empty bill) and then their sums.
    void followBill(std::optional<std::int64_t> bill)
    {
        if (bill)
            lines_.setInt(0, *bill);
        else
            lines_.setNull(0);
        lines_.open();
        lineRows_.clear();
        const bool any = lines_.fetch();
        if (any) {
            lineRows_.add(lines_);
            lineRows_.fetchAll(lines_);
        }
        if (any)
            sums_.setInt(0, *bill);
        else
            sums_.setNull(0);
        sums_.execute();
    }

    // The open bill of a table, then its lines and sums. The bill's key is
    // kept for its collection.
    std::optional<std::int64_t> followTable(int table)
    {
        bill_.setInt(0, table);
        bill_.open();
        std::optional<std::int64_t> found;
        if (bill_.fetch()) {
            found = bill_.getInt(ADISYON_ID);
            openBill_ = *found;
            // Read to the end, as the dataset does.
            while (bill_.fetch()) {
            }
        }
        followBill(found);
        return found;
    }

    void moveTo(int table)
    {
        if (table == current_)
            return;
        current_ = table;
        followTable(table);
    }

    // A post sends only the columns it changed.
    void setTable(int table, int state)
    {
        tableModify_.setInt(0, state);
        tableModify_.setInt(1, table);
        tableModify_.execute();
        tableRefresh_.setInt(0, table);
        tableRefresh_.execute();
        followTable(table);
    }

    void commit(DayRecord& day)
    {
        tr_.commitRetaining();
        if (renew_) {
            tr_.commit();
            tr_.start();
            ++day.renewals;
        }
    }

    void openBill(const Event& e, DayRecord& day)
    {
        const auto started = Clock::now();
        moveTo(e.table);
        day.tableClicks[size_t(e.hour)].add(secondsSince(started));
        // A new bill row: its lines and sums follow the still empty row.
        followBill(std::nullopt);
        billKey_.execute();
        const std::int64_t bill = billKey_.getInt(0);
        billInsert_.setInt(ADISYON_ID, bill);
        billInsert_.setInt(MASA_ID, e.table);
        billInsert_.setTimestamp(TARIH, now());
        billInsert_.execute();
        billRefresh_.setInt(0, bill);
        billRefresh_.execute();
        followBill(bill);

        for (int k = 0; k < kPicksPerBill; ++k) {
            const int product = productFor(long(e.bill) * kPicksPerBill + k);
            const auto pickStarted = Clock::now();
            sums_.setNull(0);
            sums_.execute();
            lineKey_.execute();
            const std::int64_t sn = lineKey_.getInt(0);
            lineInsert_.setInt(kSN, sn);
            lineInsert_.setInt(kSTOK_ID, product);
            lineInsert_.setInt(kADISYON_ID, bill);
            lineInsert_.setInt(kGC_ID, 2);
            lineInsert_.execute();
            lineRefresh_.setInt(0, sn);
            lineRefresh_.execute();
            sums_.setInt(0, bill);
            sums_.execute();
            day.picks[size_t(e.hour)].add(secondsSince(pickStarted));
        }
        setTable(e.table, 2);
        commit(day);
        day.bills[size_t(e.hour)].add(secondsSince(started));
    }

    void collect(const Event& e, DayRecord& day)
    {
        const auto started = Clock::now();
        moveTo(e.table);
        day.tableClicks[size_t(e.hour)].add(secondsSince(started));
        // The payment, from the sums read when the table became current.
        const double gross = sums_.getDouble(0), discount = sums_.getDouble(1), net = sums_.getDouble(2);
        const bool card = paidByCard(e.bill);
        billModify_.setInt(P_ACIK_KAPALI, 1);
        billModify_.setTimestamp(P_KAPANIS_TARIHI, now());
        billModify_.setInt(P_TAHSILAT_ID, card ? 2 : 1);
        billModify_.setDouble(P_TUTAR, gross);
        billModify_.setDouble(card ? P_B_TUTAR : P_K_TUTAR, net);
        billModify_.setDouble(card ? P_K_TUTAR : P_B_TUTAR, 0);
        billModify_.setDouble(P_ISKONTO, discount);
        billModify_.setDouble(P_ARA_TUTAR, net);
        billModify_.setInt(P_OLD_ADISYON_ID, openBill_);
        billModify_.execute();
        billRefresh_.setInt(0, openBill_);
        billRefresh_.execute();
        followBill(openBill_);

        setTable(e.table, 1);
        // The bill closed and opened again: the bill, then its lines with
        // their sums twice, as in the panel's opening.
        bill_.setInt(0, e.table);
        bill_.open();
        while (bill_.fetch()) {
        }
        followBill(std::nullopt);
        followBill(std::nullopt);
        commit(day);
        day.collections[size_t(e.hour)].add(secondsSince(started));
    }

    rawfb::Attachment att_;
    rawfb::Transaction tr_;
    bool renew_;
    rawfb::Statement tables_, bill_, lines_, sums_, billKey_, billInsert_, billModify_, billRefresh_, lineKey_,
        lineInsert_, lineRefresh_, tableModify_, tableRefresh_;
    rawfb::RowStore lineRows_, tableRows_;
    int current_ = -1;
    std::int64_t openBill_ = 0;  // the current table's open bill
};

// ---------------------------------------------------------- benchmarks

// The day of ours and the day of raw, each on its copy, event by event in
// turns, so that the disk and the other work of the machine weigh on both
// alike.
void day(benchmark::State& state, bool renew)
{
    guarded(state, [&] {
        const std::string variant = renew ? "renew" : "retaining";
        const QString name = QStringLiteral("day-%1").arg(QString::fromStdString(variant));
        DatabaseCopy oursCopy(name + QStringLiteral("-ours")), rawCopy(name + QStringLiteral("-raw"));
        const std::vector<Event> events = planDay(freeTables(oursCopy.stdPath()));
        DataModule m(oursCopy.path());
        m.openBillPanel();
        OursDay ours(m, renew);
        RawDay raw(rawCopy.stdPath(), renew);
        DayRecord oursDay, rawDay;
        for (auto _ : state) {
            RecordStats oursMark = ours.stats(), rawMark = raw.stats();
            auto closeHour = [&](int hour) {
                const RecordStats o = ours.stats(), r = raw.stats();
                oursDay.hourStats[size_t(hour)] = o - oursMark;
                rawDay.hourStats[size_t(hour)] = r - rawMark;
                oursMark = o;
                rawMark = r;
            };
            int hour = 0;
            std::size_t turn = 0;
            for (const Event& e : events) {
                if (e.hour != hour) {
                    closeHour(hour);
                    hour = e.hour;
                }
                if (turn++ % 2 == 0) {
                    ours.step(e, oursDay);
                    raw.step(e, rawDay);
                } else {
                    raw.step(e, rawDay);
                    ours.step(e, oursDay);
                }
            }
            closeHour(hour);
            oursDay.end = ours.end();
            rawDay.end = raw.end();
            state.SetIterationTime(oursDay.total());
        }
        print(renew ? "day/ours, with renewTransactionIfQuiet" : "day/ours, retaining commits only", oursDay);
        print(renew ? "day/raw, with a hard commit at the same moments" : "day/raw, retaining commits only", rawDay);
        reportDay(state, variant, Side::Ours, oursDay);
        reportDay(state, variant, Side::Raw, rawDay);
    });
}

void day_retaining(benchmark::State& state)
{
    day(state, false);
}

void day_renew(benchmark::State& state)
{
    day(state, true);
}

// The program's way of the day (a hard commit at the quiet moments), ours
// alone, so that the process's memory is the data module's and the engine's.
// Both readings are taken right after a bill is opened, with the same 25
// bills open.
//
// The engine's page cache (2,048 pages of 8 kB) is set aside when the
// database is attached, but its memory becomes resident only as each buffer
// is first used; on a cold start that alone grows the process by some 3 MB
// over the day, up to the cache's fixed size. One scan of the sales lines
// first (as the summary report does) fills the cache, so that what the two
// readings differ by is what the day leaves behind.
void memory(benchmark::State& state)
{
    guarded(state, [&] {
        DatabaseCopy copy(QStringLiteral("memory"));
        const std::vector<Event> events = planDay(freeTables(copy.stdPath()));
        DataModule m(copy.path());
        m.openBillPanel();
        {
            db::Transaction t(*m->IBDatabase1);
            t.start();
            db::Statement scan(t);
            scan.setSql(QStringLiteral("select count(*), sum(TUTAR) from STOK_HAREKET"));
            scan.fetchAll();
        }
        OursDay ours(m, true);
        DayRecord day;
        day.reserveForTheDay();
        struct Reading {
            double resident = 0, heap = 0, engine = 0;
        };
        auto read = [&] { return Reading{residentMemoryMb(), heapInUseMb(), engineMemoryMb(*m)}; };
        Reading early, late;
        for (auto _ : state) {
            for (const Event& e : events) {
                ours.step(e, day);
                if (e.kind != Event::Open)
                    continue;
                if (e.bill + 1 == kEarlyBills)
                    early = read();
                else if (e.bill + 1 == kBillsPerDay)
                    late = read();
            }
            state.SetIterationTime(day.total());
        }
        state.counters["resident_MB_200"] = early.resident;
        state.counters["resident_MB_2000"] = late.resident;
        state.counters["heap_MB_200"] = early.heap;
        state.counters["heap_MB_2000"] = late.heap;
        state.counters["engine_MB_200"] = early.engine;
        state.counters["engine_MB_2000"] = late.engine;
        record("memory.resident.early", Side::Ours, early.resident);
        record("memory.resident.late", Side::Ours, late.resident);
        record("memory.heap.early", Side::Ours, early.heap);
        record("memory.heap.late", Side::Ours, late.heap);
        record("memory.engine.early", Side::Ours, early.engine);
        record("memory.engine.late", Side::Ours, late.engine);
    });
}

}  // namespace

BENCHMARK(memory)->Name("memory/day")->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(day_retaining)->Name("day/retaining")->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(day_renew)->Name("day/renew")->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace bench

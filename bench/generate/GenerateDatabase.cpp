// tavlora_generate: makes the large database of the benchmarks, a busy cafe's
// two years: 200,000 bills with 1,000,000 lines at 60 tables, 30 groups and
// 600 products. The same seed gives the same database every time.
//
//   tavlora_generate [--database=PATH] [--force] [--buffers=PAGES] [--keep-forced-writes]
//
// An existing file is kept unless --force is given. The file is made with
// scripts/create-database.sh and filled through prepared statements in large
// transactions; the schema's triggers fill in each line's product data and
// amounts, exactly as they do for the program, and no trigger or index is
// switched off. While it fills, the file has forced writes off and the
// engine a page cache of PAGES (25,000) pages; --keep-forced-writes leaves
// them on throughout. The file appears under its name only when it is
// complete, with forced writes on.

#include "BenchSupport.h"
#include "RawFirebird.h"
#include "generate/CafeMenu.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr int kBills = 200000;
constexpr int kLines = 1000000;
constexpr int kBillsPerTransaction = 20000;
constexpr std::uint64_t kSeed = 20230101;
const QDate kFirstDay(2023, 1, 1);
const QDate kLastDay(2024, 12, 31);

// The tables with an open bill at the end of the history.
const int kOpenTables[] = {1, 7, 12, 23, 41, 53};

// splitmix64: small, fast, and the same sequence on every platform, which the
// standard library's distributions do not promise.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }
    int below(int n) { return int(uniform() * n); }
    bool chance(double p) { return uniform() < p; }

private:
    std::uint64_t state_;
};

// Picks an index with probability proportional to its weight.
class Weighted {
public:
    explicit Weighted(const std::vector<double>& weights) : cumulative_(weights.size())
    {
        std::partial_sum(weights.begin(), weights.end(), cumulative_.begin());
    }
    int pick(Rng& rng) const
    {
        const double x = rng.uniform() * cumulative_.back();
        return int(std::upper_bound(cumulative_.begin(), cumulative_.end(), x) - cumulative_.begin());
    }

private:
    std::vector<double> cumulative_;
};

ISC_TIMESTAMP toTimestamp(const QDateTime& t)
{
    ISC_TIMESTAMP ts;
    // Firebird counts days from 17 November 1858 and time in 1/10000 s.
    ts.timestamp_date = ISC_DATE(t.date().toJulianDay() - 2400001);
    ts.timestamp_time = ISC_TIME(t.time().msecsSinceStartOfDay()) * 10;
    return ts;
}

// How busy a day is: weekends and summer evenings in the garden bring more
// guests, and the house grew a little over the two years.
double dayWeight(const QDate& day)
{
    static const double weekday[] = {0, 0.9, 0.85, 0.9, 1.0, 1.25, 1.6, 1.45};  // Monday = 1
    double w = weekday[day.dayOfWeek()];
    const int m = day.month();
    if (m >= 6 && m <= 8)
        w *= 1.2;
    else if (m == 12)
        w *= 1.1;
    else if (m == 1 || m == 2)
        w *= 0.85;
    const double progress = double(kFirstDay.daysTo(day)) / double(kFirstDay.daysTo(kLastDay));
    return w * (1.0 + 0.2 * progress);
}

// Guests by the hour of opening, 08:00 to midnight: breakfast, lunch and
// the evening rush.
const std::vector<double> kHourWeights = {1.0, 2.0, 2.5, 2.5, 4.0, 4.5, 3.0, 2.5,
                                          2.5, 3.0, 3.5, 4.5, 5.0, 4.0, 3.0, 1.5};

// Lines per bill: most bills hold two to seven.
const std::vector<double> kLineCountWeights = {0, 8, 12, 14, 14, 13, 11, 9, 7, 5, 3, 1.2, 1, 0.8, 0.6, 0.4};
constexpr int kMaxLines = 15;

struct PlannedBill {
    int day;       // days after kFirstDay
    int minute;    // minute of the day it opened
    int lines;
};

// Days and line counts of all bills, so that the totals come out exact.
std::vector<PlannedBill> planBills(Rng& rng)
{
    const int days = int(kFirstDay.daysTo(kLastDay)) + 1;
    std::vector<double> weights(static_cast<size_t>(days));
    for (int d = 0; d < days; ++d)
        weights[size_t(d)] = dayWeight(kFirstDay.addDays(d));
    const double sum = std::accumulate(weights.begin(), weights.end(), 0.0);

    std::vector<PlannedBill> bills;
    bills.reserve(kBills);
    const Weighted hours(kHourWeights);
    const Weighted lineCounts(kLineCountWeights);
    double cumulative = 0;
    long placed = 0;
    for (int d = 0; d < days; ++d) {
        cumulative += weights[size_t(d)];
        const long upTo = std::lround(cumulative / sum * kBills);
        std::vector<int> minutes;
        for (; placed < upTo; ++placed)
            minutes.push_back((8 + hours.pick(rng)) * 60 + rng.below(60));
        std::sort(minutes.begin(), minutes.end());
        for (int m : minutes)
            bills.push_back({d, m, lineCounts.pick(rng)});
    }

    // Nudge single bills up or down until the lines add up exactly.
    long lines = 0;
    for (const auto& b : bills)
        lines += b.lines;
    while (lines != kLines) {
        PlannedBill& b = bills[size_t(rng.below(kBills))];
        if (lines > kLines && b.lines > 1) {
            --b.lines;
            --lines;
        } else if (lines < kLines && b.lines < kMaxLines) {
            ++b.lines;
            ++lines;
        }
    }
    return bills;
}

void createFile(const QString& path)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("bash"),
            {QStringLiteral(TAVLORA_SOURCE_DIR "/scripts/create-database.sh"), path});
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error("scripts/create-database.sh failed for " + path.toStdString());
}

double seconds(bench::Clock::time_point start)
{
    return bench::secondsSince(start);
}

struct Totals {
    long bills = 0, lines = 0, cancelledBills = 0, cancelledLines = 0, openBills = 0, discounted = 0;
    double takings = 0;
};

// Fills the new database. Text goes in as UTF-8 and the engine stores it
// in the database's WIN1254.
Totals fill(const std::string& path, rawfb::AttachOptions options)
{
    options.charset = "UTF8";
    rawfb::Attachment att(path, options);
    rawfb::Transaction tr(att);
    Rng rng(kSeed);
    Totals totals;

    const auto started = bench::Clock::now();
    const std::vector<cafe::Table> tables = cafe::tables();
    {
        rawfb::Statement s(att, tr, "insert into MASA (MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI) values (?, ?, 0, ?)");
        for (const auto& t : tables) {
            const bool open = std::find(std::begin(kOpenTables), std::end(kOpenTables), t.id) != std::end(kOpenTables);
            s.setInt(0, t.id);
            s.setText(1, t.name);
            s.setInt(2, open ? 2 : 1);
            s.execute();
        }
    }
    {
        rawfb::Statement s(att, tr, "insert into BIRIM (SN, BIRIM) values (?, ?)");
        int sn = 0;
        for (const auto& u : cafe::units()) {
            s.setInt(0, ++sn);
            s.setText(1, u);
            s.execute();
        }
    }
    {
        rawfb::Statement s(att, tr, "insert into GRUP (GRUP_ID, GRUP_ADI, SIRA_NO) values (?, ?, ?)");
        for (const auto& g : cafe::groups()) {
            s.setInt(0, g.id);
            s.setText(1, g.name);
            s.setInt(2, g.order);
            s.execute();
        }
    }
    const std::vector<cafe::Product> products = cafe::products();
    {
        // The group is named only; the database finds its GRUP_ID, as for a
        // product saved in the program.
        rawfb::Statement s(att, tr,
                           "insert into STOK (STOK_ID, GRUP_ADI, STOK_ADI, BIRIM, FIYAT, STOK_KODU, SIRA_NO) "
                           "values (?, ?, ?, ?, ?, ?, ?)");
        for (const auto& p : products) {
            s.setInt(0, p.id);
            s.setText(1, p.group);
            s.setText(2, p.name);
            s.setText(3, p.unit);
            s.setDouble(4, p.price);
            s.setText(5, p.code);
            s.setInt(6, p.order);
            s.execute();
        }
    }
    {
        rawfb::Statement s(att, tr, "update AYARLAR set M_STOK_KODU = 'STK', N_STOK_KODU = ?");
        s.setInt(0, std::int64_t(products.size()));
        s.execute();
    }
    tr.commitRetaining();

    std::vector<double> popularity;
    for (const auto& p : products)
        popularity.push_back(p.popularity);
    const Weighted productPick(popularity);
    const std::vector<std::string> notes = cafe::billNotes();

    const std::vector<PlannedBill> plan = planBills(rng);
    std::cout << "  planned " << plan.size() << " bills in " << seconds(started) << " s\n" << std::flush;

    rawfb::Statement bill(att, tr,
                          "insert into ADISYON (ADISYON_ID, MASA_ID, ACIK_KAPALI, TURU_ID, TARIH, KAPANIS_TARIHI, "
                          "TAHSILAT_ID, TUTAR, K_TUTAR, B_TUTAR, ACIKLAMA, IPTAL_ID, ISKONTO, ARA_TUTAR) "
                          "values (?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    rawfb::Statement line(att, tr,
                          "insert into STOK_HAREKET (SN, STOK_ID, TARIH, IPTAL_ID, CIKAN, ISKONTO, ADISYON_ID, "
                          "GC_ID) values (?, ?, ?, ?, ?, ?, ?, 2)");

    // Tables are used evenly, the garden mostly in the warm months.
    std::vector<double> tableWeights(tables.size());
    const auto fillStarted = bench::Clock::now();
    int sn = 0;
    const int firstOpen = kBills - int(std::size(kOpenTables));
    for (int i = 0; i < kBills; ++i) {
        const PlannedBill& pb = plan[size_t(i)];
        const int id = i + 1;
        const QDate day = kFirstDay.addDays(pb.day);
        const bool warm = day.month() >= 5 && day.month() <= 9;
        for (size_t t = 0; t < tables.size(); ++t)
            tableWeights[t] = tables[t].id <= 40 ? 1.0 : tables[t].id <= 52 ? (warm ? 1.6 : 0.25) : 0.8;
        const bool open = i >= firstOpen;
        const int table = open ? kOpenTables[i - firstOpen] : tables[size_t(Weighted(tableWeights).pick(rng))].id;
        const QDateTime opened(day, QTime(0, 0).addSecs(pb.minute * 60 + rng.below(60)));
        const int stay = 15 + int(100 * rng.uniform() * rng.uniform()) + 3 * pb.lines;
        const QDateTime closed = opened.addSecs(stay * 60 + rng.below(60));

        const bool cancelled = !open && rng.chance(0.02);
        const double discount = (!open && rng.chance(0.04)) ? 5.0 * (1 + rng.below(5)) : 0.0;
        // A removed line only on a bill that keeps at least one live line.
        const int removedLine = (pb.lines > 1 && rng.chance(0.07)) ? rng.below(pb.lines) : -1;

        // The lines first, to know the bill's sums; the triggers compute
        // the very same amounts from the same price.
        struct Line {
            int product;
            int quantity;
            bool removed;
        };
        Line lines[kMaxLines];
        double gross = 0, discountSum = 0, net = 0;
        bool anyLive = false;
        for (int k = 0; k < pb.lines; ++k) {
            const int p = productPick.pick(rng);
            const double q = rng.uniform();
            const int quantity = q < 0.8 ? 1 : q < 0.95 ? 2 : 3 + rng.below(2);
            lines[k] = {p, quantity, k == removedLine};
            if (k == removedLine)
                continue;
            const double amount = double(quantity) * products[size_t(p)].price;
            const double off = amount * discount / 100;
            gross += amount;
            discountSum += off;
            net += amount - off;
            anyLive = true;
        }

        bill.setInt(0, id);
        bill.setInt(1, table);
        bill.setInt(2, open ? 2 : 1);
        bill.setTimestamp(3, toTimestamp(opened));
        bill.setInt(10, cancelled ? 2 : 1);
        if (rng.chance(0.03))
            bill.setText(9, notes[size_t(rng.below(int(notes.size())))]);
        else
            bill.setNull(9);
        if (open) {
            for (unsigned c : {4u, 5u, 6u, 7u, 8u, 11u, 12u})
                bill.setNull(c);
            ++totals.openBills;
        } else {
            bill.setTimestamp(4, toTimestamp(closed));
            const double sums[] = {gross, discountSum, net};
            for (int c = 0; c < 3; ++c) {
                const unsigned column = c == 0 ? 6u : c == 1 ? 11u : 12u;
                if (anyLive)
                    bill.setDouble(column, sums[c]);
                else
                    bill.setNull(column);
            }
            if (cancelled) {
                bill.setNull(5);
                bill.setNull(7);
                bill.setNull(8);
                ++totals.cancelledBills;
            } else {
                const double kind = rng.uniform();
                double cash = 0, card = 0;
                int paid = 1;
                if (kind < 0.55) {
                    cash = net;
                } else if (kind < 0.93) {
                    paid = 2;
                    card = net;
                } else {
                    // Some in cash, in round tens, the rest by card.
                    paid = 3;
                    cash = std::max(10.0, std::round(net * (0.2 + 0.6 * rng.uniform()) / 10) * 10);
                    card = net - cash;
                }
                bill.setInt(5, paid);
                bill.setDouble(7, cash);
                bill.setDouble(8, card);
                totals.takings += net;
            }
            if (discount > 0)
                ++totals.discounted;
        }
        bill.execute();

        const double step = double(stay) * 60.0 * 0.6 / double(pb.lines);
        for (int k = 0; k < pb.lines; ++k) {
            line.setInt(0, ++sn);
            line.setInt(1, products[size_t(lines[k].product)].id);
            line.setTimestamp(2, toTimestamp(opened.addSecs(qint64(step * k) + 30)));
            line.setInt(3, lines[k].removed ? 2 : 1);
            line.setDouble(4, lines[k].quantity);
            if (discount > 0 && !lines[k].removed)
                line.setDouble(5, discount);
            else
                line.setNull(5);
            line.setInt(6, id);
            line.execute();
            if (lines[k].removed)
                ++totals.cancelledLines;
        }
        totals.lines += pb.lines;
        ++totals.bills;

        if (id % kBillsPerTransaction == 0) {
            tr.commitRetaining();
            std::cout << "  " << id << " bills, " << sn << " lines, " << seconds(fillStarted) << " s\n"
                      << std::flush;
        }
    }
    tr.commitRetaining();

    // Keys drawn by the program continue after the largest ones here.
    const auto finish = bench::Clock::now();
    for (const std::string& sql :
         {"set generator MASA_MASA_ID_GEN to " + std::to_string(tables.size()),
          "set generator BIRIM_SN_GEN to " + std::to_string(cafe::units().size()),
          "set generator GRUP_GRUP_ID_GEN to " + std::to_string(cafe::groups().size()),
          "set generator STOK_STOK_ID_GEN to " + std::to_string(products.size()),
          "set generator ADISYON_ADISYON_ID_GEN to " + std::to_string(kBills),
          "set generator STOK_HAREKET_SN_GEN to " + std::to_string(sn)}) {
        rawfb::Statement s(att, tr, sql);
        s.execute();
    }
    tr.commitRetaining();

    // Index statistics as a database that was looked after would have them
    // (a backup and restore computes them too); the indexes were made on
    // empty tables.
    std::vector<std::string> indexes;
    {
        rawfb::Statement s(att, tr,
                           "select trim(RDB$INDEX_NAME) from RDB$INDICES where coalesce(RDB$SYSTEM_FLAG, 0) = 0");
        s.open();
        while (s.fetch())
            indexes.push_back(s.getText(0));
    }
    for (const std::string& name : indexes) {
        rawfb::Statement s(att, tr, "set statistics index " + name);
        s.execute();
    }
    tr.commit();
    std::cout << "  generators and index statistics in " << seconds(finish) << " s\n";
    return totals;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString path = bench::largeDatabase();
    bool force = false;
    // Forced writes make each page the engine writes wait for the disk, and
    // the fill writes the whole file many times over: 200 s here with them,
    // 20 s without and with a cache that holds the whole file. They are on
    // again before the file is handed over.
    rawfb::AttachOptions options;
    options.pageBuffers = 25000;
    options.forcedWrites = 0;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a.startsWith(QStringLiteral("--database=")))
            path = a.mid(11);
        else if (a == QStringLiteral("--force"))
            force = true;
        else if (a.startsWith(QStringLiteral("--buffers=")))
            options.pageBuffers = a.mid(10).toInt();
        else if (a == QStringLiteral("--keep-forced-writes"))
            options.forcedWrites = -1;
        else {
            std::cerr << "usage: tavlora_generate [--database=PATH] [--force] [--buffers=PAGES] "
                         "[--keep-forced-writes]\n";
            return 2;
        }
    }
    path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo::exists(path) && !force) {
        std::cout << path.toStdString() << " exists; kept (--force makes it anew)\n";
        return 0;
    }
    try {
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QString part = path + QStringLiteral(".part");
        QFile::remove(part);
        std::cout << "Making " << path.toStdString() << "\n" << std::flush;
        const auto started = bench::Clock::now();
        createFile(part);
        std::cout << "  empty database in " << seconds(started) << " s\n" << std::flush;
        // The client library is used from here on; see exitOnInterrupt().
        bench::exitOnInterrupt();
        const Totals t = fill(part.toStdString(), options);
        if (options.forcedWrites == 0) {
            const auto restore = bench::Clock::now();
            rawfb::AttachOptions on;
            on.forcedWrites = 1;
            rawfb::Attachment(part.toStdString(), on);
            std::cout << "  forced writes on again in " << seconds(restore) << " s\n";
        }
        QFile::remove(path);
        if (!QFile::rename(part, path))
            throw std::runtime_error("cannot rename " + part.toStdString());
        std::printf("Done in %.1f s: %ld bills (%ld open, %ld cancelled, %ld discounted), %ld lines (%ld removed), "
                    "takings %.2f TL, %.0f MB\n",
                    seconds(started), t.bills, t.openBills, t.cancelledBills, t.discounted, t.lines,
                    t.cancelledLines, t.takings, double(QFileInfo(path).size()) / 1048576.0);
    } catch (const std::exception& e) {
        std::cerr << "tavlora_generate: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

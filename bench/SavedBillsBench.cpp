// The records: the saved bills browser's datasets opened on all 200,000
// bills (with the first bill's lines), and the summary report's query over
// a year of bills.
//
// The browser's memory is the process's high-water mark during one opening
// on its own: raw first, then ours, each after the other's rows were handed
// back.

#include "BenchSupport.h"
#include "RawFirebird.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"

#include <QDateTime>

#include <malloc.h>

namespace bench {

namespace {

constexpr int kBrowserOpenings = 5;
constexpr int kSummaries = 10;

const char* const kBills = "SELECT * FROM  w_adisyon";
const char* const kBillLines = "select * from STOK_HAREKET WHERE ADISYON_ID = ?";
const char* const kSummaryNamed =
    "SELECT SUM(K_TUTAR) AS KASA, SUM(B_TUTAR) AS BANKA, MASA_ADI from W_ADISYON WHERE IPTAL_ID = 1 AND "
    "KAPANIS_TARIHI BETWEEN :T1 AND :T2 AND MASA_ADI LIKE '%' GROUP BY  MASA_ADI ORDER BY MASA_ADI ";
const char* const kSummary =
    "SELECT SUM(K_TUTAR) AS KASA, SUM(B_TUTAR) AS BANKA, MASA_ADI from W_ADISYON WHERE IPTAL_ID = 1 AND "
    "KAPANIS_TARIHI BETWEEN ? AND ? AND MASA_ADI LIKE '%' GROUP BY  MASA_ADI ORDER BY MASA_ADI ";

// The last year of the history.
const QDateTime kYearStart(QDate(2024, 1, 1), QTime(0, 0));
const QDateTime kYearEnd(QDate(2024, 12, 31), QTime(23, 59, 59));

void closeBrowserOurs(Tdm& dm)
{
    dm.qryAdisyon->close();
    dm.qryAH->close();
    // Hand the freed rows back, so that each opening starts from the same
    // footing and the next high-water mark is its own.
    malloc_trim(0);
}

// The browser's statements straight through the client: all bills kept as
// the server sends them, then the first bill's lines, read twice as the data
// module does (once as the lines open with the bills, once more as the bills
// announce their first row).
struct RawBrowser {
    explicit RawBrowser(const std::string& path)
        : att(path), tr(att), bills(att, tr, kBills), lines(att, tr, kBillLines)
    {
    }
    void open()
    {
        billRows.clear();
        bills.open();
        const bool any = bills.fetch();
        const std::int64_t first = any ? bills.getInt(0) : 0;
        if (any) {
            billRows.add(bills);
            billRows.fetchAll(bills);
        }
        for (int twice = 0; twice < 2; ++twice) {
            if (any)
                lines.setInt(0, first);
            else
                lines.setNull(0);
            lineRows.clear();
            lines.open();
            lineRows.fetchAll(lines);
        }
    }
    void close()
    {
        billRows.release();
        lineRows.release();
        malloc_trim(0);
    }

    rawfb::Attachment att;
    rawfb::Transaction tr;
    rawfb::Statement bills, lines;
    rawfb::RowStore billRows, lineRows;
};

void saved_bills(benchmark::State& state)
{
    guarded(state, [&] {
        DatabaseCopy oursCopy(QStringLiteral("saved-bills-ours")), rawCopy(QStringLiteral("saved-bills-raw"));
        DataModule m(oursCopy.path());
        RawBrowser r(rawCopy.stdPath());

        // One opening of each on its own, for the record counters and each
        // one's high-water mark of memory.
        resetPeakMemory();
        RecordStats before = recordStats(r.att);
        r.open();
        reportStats(state, "raw", recordStats(r.att) - before, 1);
        const double rawPeak = peakMemoryMb();
        state.counters["rows"] = double(r.billRows.count());
        r.close();

        resetPeakMemory();
        before = recordStats(*m);
        m->qryAdisyon->open();
        reportStats(state, "ours", recordStats(*m) - before, 1);
        const double oursPeak = peakMemoryMb();
        closeBrowserOurs(*m);

        Paired paired;
        for (auto _ : state) {
            paired.run(state, [&] { m->qryAdisyon->open(); }, [&] { r.open(); });
            closeBrowserOurs(*m);
            r.close();
        }
        paired.report(state, "saved_bills");
        state.counters["ours_peak_MB"] = oursPeak;
        state.counters["raw_peak_MB"] = rawPeak;
        record("saved_bills.memory", Side::Ours, oursPeak);
        record("saved_bills.memory", Side::Raw, rawPeak);
    });
}

// The summary report makes a new scratch query each time it runs; raw
// prepares once.
void summary(benchmark::State& state)
{
    guarded(state, [&] {
        DatabaseCopy oursCopy(QStringLiteral("summary-ours")), rawCopy(QStringLiteral("summary-raw"));
        DataModule m(oursCopy.path());
        auto ours = [&] {
            WorkQuery = new db::Dataset(*m->IBTransaction1, &*m);
            WorkQuery->setSql(QString::fromLatin1(kSummaryNamed));
            WorkQuery->setParam(QStringLiteral("T1"), kYearStart);
            WorkQuery->setParam(QStringLiteral("T2"), kYearEnd);
            WorkQuery->open();
        };
        rawfb::Attachment att(rawCopy.stdPath());
        rawfb::Transaction tr(att);
        rawfb::Statement summary(att, tr, kSummary);
        rawfb::RowStore rows;
        auto raw = [&] {
            summary.setTimestamp(0, rawfb::timestamp(2024, 1, 1, 0, 0, 0));
            summary.setTimestamp(1, rawfb::timestamp(2024, 12, 31, 23, 59, 59));
            summary.open();
            rows.clear();
            rows.fetchAll(summary);
        };

        RecordStats before = recordStats(*m);
        ours();
        reportStats(state, "ours", recordStats(*m) - before, 1);
        before = recordStats(att);
        raw();
        reportStats(state, "raw", recordStats(att) - before, 1);
        state.counters["rows"] = double(rows.count());

        Paired paired;
        for (auto _ : state)
            paired.run(state, ours, raw);
        paired.report(state, "summary");
    });
}

}  // namespace

BENCHMARK(saved_bills)->Iterations(kBrowserOpenings)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(summary)->Iterations(kSummaries)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace bench

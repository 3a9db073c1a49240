// The data behind the bill panel as it opens on 60 tables: the tables, the
// first table's open bill with its lines and sums, the number of button
// slots, and the product groups with the first group's products. The
// buttons themselves belong to the window and are not measured here.

#include "BenchSupport.h"
#include "BillFixture.h"
#include "RawFirebird.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"

namespace bench {

namespace {

constexpr int kOpenings = 30;
constexpr int kChecks = 5;

// In the bill panel's order: the settings when it is made, then as it is
// shown the menu queries, the button slots, the tables and the bill.
void openPanelOurs(DataModule& m)
{
    m->T_Ayarlar->open();
    OpenMenuQueries();
    TableSlotCount();
    m.openBillPanel();
}

// The panel closed: its datasets are closed, the sums keep their last
// result as they do when the bill closes.
void closePanelOurs(DataModule& m)
{
    m->Q_Adisyon->close();
    m->Q_Masa->close();
}

struct RawPanel {
    explicit RawPanel(const std::string& path)
        : att(path), tr(att), tables(att, tr, "select * from masa order by masa_id  "),
          bill(att, tr,
               "SELECT * FROM  ADISYON WHERE MASA_ID = ? AND IPTAL_ID = 1 AND TURU_ID = 1 AND ACIK_KAPALI = 2"),
          lines(att, tr, sql::kLines), sums(att, tr, sql::kSums),
          slotCount(att, tr, "select max(masa_id) as max_masaid from masa "),
          groups(att, tr, "select GRUP_ADI, grup_id from grup order by sira_no"),
          products(att, tr, "select STOK_ADI, grup_id, stok_id from stok where grup_id = ? order by sira_no")
    {
    }
    rawfb::Attachment att;
    rawfb::Transaction tr;
    rawfb::Statement tables, bill, lines, sums, slotCount, groups, products;
    rawfb::RowStore tableRows, billRows, lineRows, groupRows, productRows;
};

// The statements the data module sends when the panel opens, in its order:
// the bill's lines and sums are read twice, once when the lines open and
// once more because the bill that owns them has just opened.
void openPanelRaw(RawPanel& r)
{
    r.groupRows.clear();
    r.groups.open();
    const bool anyGroup = r.groups.fetch();
    const std::int64_t firstGroup = anyGroup ? r.groups.getInt(1) : 0;
    if (anyGroup) {
        r.groupRows.add(r.groups);
        r.groupRows.fetchAll(r.groups);
    }
    if (anyGroup)
        r.products.setInt(0, firstGroup);
    else
        r.products.setNull(0);
    r.productRows.clear();
    r.products.open();
    r.productRows.fetchAll(r.products);

    r.slotCount.execute();

    r.tableRows.clear();
    r.tables.open();
    const bool anyTable = r.tables.fetch();
    const std::int64_t firstTable = anyTable ? r.tables.getInt(0) : 0;
    if (anyTable) {
        r.tableRows.add(r.tables);
        r.tableRows.fetchAll(r.tables);
    }

    if (anyTable)
        r.bill.setInt(0, firstTable);
    else
        r.bill.setNull(0);
    r.billRows.clear();
    r.bill.open();
    const bool anyBill = r.bill.fetch();
    const std::int64_t bill = anyBill ? r.bill.getInt(0) : 0;
    if (anyBill) {
        r.billRows.add(r.bill);
        r.billRows.fetchAll(r.bill);
    }

    for (int twice = 0; twice < 2; ++twice) {
        if (anyBill)
            r.lines.setInt(0, bill);
        else
            r.lines.setNull(0);
        r.lineRows.clear();
        r.lines.open();
        const bool anyLine = r.lines.fetch();
        if (anyLine) {
            r.lineRows.add(r.lines);
            r.lineRows.fetchAll(r.lines);
        }
        // The sums take their bill from the current line.
        if (anyLine)
            r.sums.setInt(0, bill);
        else
            r.sums.setNull(0);
        r.sums.execute();
    }
}

void panel(benchmark::State& state)
{
    guarded(state, [&] {
        DatabaseCopy oursCopy(QStringLiteral("panel-ours")), rawCopy(QStringLiteral("panel-raw"));
        DataModule m(oursCopy.path());
        RawPanel r(rawCopy.stdPath());

        // Counters around whole openings, the first one included: ours
        // prepares three statements anew at each (the scratch and menu
        // queries are made afresh), which reads the system tables.
        RecordStats before = recordStats(*m);
        for (int i = 0; i < kChecks; ++i) {
            openPanelOurs(m);
            closePanelOurs(m);
        }
        reportStats(state, "ours", recordStats(*m) - before, kChecks);
        before = recordStats(r.att);
        for (int i = 0; i < kChecks; ++i)
            openPanelRaw(r);
        reportStats(state, "raw", recordStats(r.att) - before, kChecks);

        Paired paired;
        for (auto _ : state) {
            paired.run(state, [&] { openPanelOurs(m); }, [&] { openPanelRaw(r); });
            closePanelOurs(m);
        }
        paired.report(state, "panel");
    });
}

}  // namespace

BENCHMARK(panel)->Iterations(kOpenings)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace bench

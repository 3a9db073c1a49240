#include "BillFixture.h"

#include "RawFirebird.h"

#include <stdexcept>

namespace bench {

namespace sql {
const char* const kSums =
    "SELECT SUM(TUTAR) AS T_TUTAR, SUM(ISKONTO_TUTAR) AS T_ISK, SUM(ARA_TUTAR) AS T_ARA_TUTAR from STOK_HAREKET "
    "WHERE ADISYON_ID = ? AND IPTAL_ID = 1";
const char* const kLines = "select * from STOK_HAREKET WHERE ADISYON_ID = ? AND IPTAL_ID = 1";
const char* const kLineKey = "SELECT GEN_ID(STOK_HAREKET_SN_GEN, 1) FROM RDB$DATABASE";
const char* const kInsertLine =
    "insert into STOK_HAREKET (SN, STOK_ID, STOK_KODU, STOK_ADI, GRUP_ID, TARIH, IPTAL_ID, GIREN, CIKAN, FIYAT, "
    "TUTAR, ISKONTO, ISKONTO_TUTAR, ARA_TUTAR, ADISYON_ID, BIRIM, GC_ID) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, ?, ?, ?)";
const char* const kModifyQuantity = "update STOK_HAREKET set CIKAN = ? where SN = ?";
const char* const kRefreshLine =
    "Select SN, STOK_ID, STOK_KODU, STOK_ADI, GRUP_ID, TARIH, IPTAL_ID, GIREN, CIKAN, FIYAT, TUTAR, ISKONTO, "
    "ISKONTO_TUTAR, ARA_TUTAR, ADISYON_ID, BIRIM, GC_ID from STOK_HAREKET where SN = ?";
const char* const kDiscount = "UPDATE STOK_HAREKET SET ISKONTO = ? WHERE ADISYON_ID = ? AND IPTAL_ID = 1 ";
const char* const kDiscountNamed =
    "UPDATE STOK_HAREKET SET ISKONTO = :ISKONTO WHERE ADISYON_ID = :ADISYON_ID AND IPTAL_ID = 1 ";
}  // namespace sql

std::vector<OpenBill> openBills(const std::string& path, int count, int lines)
{
    rawfb::Attachment att(path);
    rawfb::Transaction tr(att);
    std::vector<int> free;
    {
        rawfb::Statement s(att, tr, "select MASA_ID from MASA where ACIK_KAPALI = 1 order by MASA_ID");
        s.open();
        while (s.fetch())
            free.push_back(int(s.getInt(0)));
    }
    if (int(free.size()) < count)
        throw std::runtime_error("not enough free tables for the open bills");

    rawfb::Statement billKey(att, tr, "SELECT GEN_ID(ADISYON_ADISYON_ID_GEN, 1) FROM RDB$DATABASE");
    rawfb::Statement lineKey(att, tr, sql::kLineKey);
    rawfb::Statement bill(att, tr, "insert into ADISYON (ADISYON_ID, MASA_ID, TARIH) values (?, ?, CURRENT_TIMESTAMP)");
    rawfb::Statement line(att, tr, "insert into STOK_HAREKET (SN, STOK_ID, ADISYON_ID, GC_ID) values (?, ?, ?, 2)");
    rawfb::Statement occupy(att, tr, "update MASA set ACIK_KAPALI = 2 where MASA_ID = ?");

    std::vector<OpenBill> out;
    long picks = 0;
    for (int b = 0; b < count; ++b) {
        OpenBill ob;
        ob.table = free[size_t(b)];
        billKey.execute();
        ob.bill = int(billKey.getInt(0));
        bill.setInt(0, ob.bill);
        bill.setInt(1, ob.table);
        bill.execute();
        for (int k = 0; k < lines; ++k) {
            lineKey.execute();
            const int sn = int(lineKey.getInt(0));
            line.setInt(0, sn);
            line.setInt(1, productFor(picks++));
            line.setInt(2, ob.bill);
            line.execute();
            ob.lines.push_back(sn);
        }
        occupy.setInt(0, ob.table);
        occupy.execute();
        out.push_back(ob);
    }
    tr.commit();
    return out;
}

}  // namespace bench

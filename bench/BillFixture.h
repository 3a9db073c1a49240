#pragma once

// Open bills of a given size on the free tables of a work copy, as order
// entry would leave them, for the benchmarks that edit a bill.

#include <string>
#include <vector>

namespace bench {

struct OpenBill {
    int table;
    int bill;
    std::vector<int> lines;  // SN of each line, in the order they were added
};

// Opens `count` bills of `lines` lines each on the free tables of the
// database, lowest MASA_ID first, marks the tables occupied and commits.
std::vector<OpenBill> openBills(const std::string& path, int count, int lines);

// The product of the n-th pick: spread over the whole menu.
inline int productFor(long n)
{
    return int((n * 37) % 600) + 1;
}

// The statements the data module sends for the bill lines, with "?" for the
// named parameters, in the order the server numbers them.
namespace sql {
// qrySum; its parameter ADISYON_ID.
extern const char* const kSums;
// Q_AH's select; ADISYON_ID.
extern const char* const kLines;
// The generator select of a post.
extern const char* const kLineKey;
// Q_AH's insert: every column of STOK_HAREKET.
extern const char* const kInsertLine;
// Q_AH's modify after "+": a post sends only the columns it changed; CIKAN,
// then OLD_SN.
extern const char* const kModifyQuantity;
// Q_AH's refresh; SN.
extern const char* const kRefreshLine;
// The discount; ISKONTO, ADISYON_ID.
extern const char* const kDiscount;
// The discount as the program writes it, with named parameters.
extern const char* const kDiscountNamed;
}  // namespace sql

// Columns of STOK_HAREKET in table order, as the statements above use them.
enum LineColumn {
    kSN, kSTOK_ID, kSTOK_KODU, kSTOK_ADI, kGRUP_ID, kTARIH, kIPTAL_ID, kGIREN, kCIKAN, kFIYAT, kTUTAR,
    kISKONTO, kISKONTO_TUTAR, kARA_TUTAR, kADISYON_ID, kBIRIM, kGC_ID, kLineColumns
};

}  // namespace bench

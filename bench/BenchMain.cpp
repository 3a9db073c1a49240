// tavlora_bench: the data paths of the program on the large database, each
// next to the same statements sent straight through the Firebird client.
//
//   tavlora_bench [--database=PATH] [--table_out=FILE] [Google Benchmark flags]
//
// Besides Google Benchmark's own report it appends one tab-separated line per
// figure of the summary table to FILE (work, ours, raw, ratio, target, met),
// or prints them when no file is given. scripts/bench.sh runs the groups one
// process each and prints the table.

#include "BenchSupport.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using bench::Figure;

enum class Unit { Milliseconds, Seconds, Megabytes, Records };

// One line of the summary table.
struct Row {
    std::string metric;
    std::string work;
    Unit unit;
    std::string target;
    // Whether the target is met, from the figures of the run; empty when the
    // line has no target of its own.
    std::function<std::optional<bool>(const Figure&)> met;
};

std::optional<double> figureOf(const std::string& metric, bool ours)
{
    const auto& all = bench::results();
    const auto it = all.find(metric);
    if (it == all.end())
        return std::nullopt;
    return ours ? it->second.ours : it->second.raw;
}

std::optional<bool> bothBelow(const Figure& f, double ratio, std::optional<double> limit = std::nullopt)
{
    if (!f.ours || !f.raw)
        return std::nullopt;
    bool ok = *f.ours <= ratio * *f.raw;
    if (limit)
        ok = ok && *f.ours < *limit;
    return ok;
}

std::optional<bool> below(const Figure& f, double limit)
{
    if (!f.ours)
        return std::nullopt;
    return *f.ours < limit;
}

// Our figure at most `factor` times our figure of an earlier moment: the
// last hour's pick against the first hour's, the memory after the day
// against the memory early in it.
std::function<std::optional<bool>(const Figure&)> steadyAgainst(const std::string& earlier, double factor)
{
    return [earlier, factor](const Figure& later) -> std::optional<bool> {
        const auto first = figureOf(earlier, true);
        if (!first || !later.ours)
            return std::nullopt;
        return *later.ours <= factor * *first;
    };
}

const std::vector<Row>& rows()
{
    static const std::vector<Row> r = {
        {"pick", "product pick, 50-line bill (median)", Unit::Milliseconds, "<= 1.5x raw, < 2 ms",
         [](const Figure& f) { return bothBelow(f, 1.5, 2e-3); }},
        {"plus", "quantity + on a 50-line bill (median)", Unit::Milliseconds, "<= 1.5x raw",
         [](const Figure& f) { return bothBelow(f, 1.5); }},
        {"discount", "discount of a 50-line bill (median)", Unit::Milliseconds, "<= 1.5x raw",
         [](const Figure& f) { return bothBelow(f, 1.5); }},
        {"panel", "bill panel data, 60 tables (median)", Unit::Milliseconds, "< 100 ms",
         [](const Figure& f) { return below(f, 0.1); }},
        {"saved_bills", "saved bills: qryAdisyon + qryAH, 200,000 bills", Unit::Seconds, "< 1.5 s",
         [](const Figure& f) { return below(f, 1.5); }},
        {"saved_bills.memory", "saved bills: peak memory of the process", Unit::Megabytes, "< 400 MB",
         [](const Figure& f) { return below(f, 400); }},
        {"summary", "summary query, one year (median)", Unit::Milliseconds, "< 500 ms",
         [](const Figure& f) { return below(f, 0.5); }},
        {"day.retaining.first", "day, retaining commits only: pick, first hour", Unit::Milliseconds, "", nullptr},
        {"day.retaining.last", "day, retaining commits only: pick, last hour", Unit::Milliseconds,
         "<= 1.2x first hour", steadyAgainst("day.retaining.first", 1.2)},
        {"day.retaining.reads.first", "day, retaining commits only: records read per bill, first hour",
         Unit::Records, "", nullptr},
        {"day.retaining.reads.last", "day, retaining commits only: records read per bill, last hour",
         Unit::Records, "", nullptr},
        {"day.retaining.total", "day, retaining commits only: whole day", Unit::Seconds, "", nullptr},
        {"day.renew.first", "day, with renewTransactionIfQuiet: pick, first hour", Unit::Milliseconds, "", nullptr},
        {"day.renew.last", "day, with renewTransactionIfQuiet: pick, last hour", Unit::Milliseconds,
         "<= 1.2x first hour", steadyAgainst("day.renew.first", 1.2)},
        {"day.renew.reads.first", "day, with renewTransactionIfQuiet: records read per bill, first hour",
         Unit::Records, "", nullptr},
        {"day.renew.reads.last", "day, with renewTransactionIfQuiet: records read per bill, last hour",
         Unit::Records, "", nullptr},
        {"day.renew.total", "day, with renewTransactionIfQuiet: whole day", Unit::Seconds, "", nullptr},
        {"memory.resident.early", "day, ours alone: resident memory after 200 bills", Unit::Megabytes, "",
         nullptr},
        {"memory.resident.late", "day, ours alone: resident memory after 2,000 bills", Unit::Megabytes,
         "<= 1.1x after 200", steadyAgainst("memory.resident.early", 1.1)},
        {"memory.heap.early", "day, ours alone: heap in use after 200 bills", Unit::Megabytes, "", nullptr},
        {"memory.heap.late", "day, ours alone: heap in use after 2,000 bills", Unit::Megabytes, "", nullptr},
        {"memory.engine.early", "day, ours alone: engine memory in use after 200 bills", Unit::Megabytes, "",
         nullptr},
        {"memory.engine.late", "day, ours alone: engine memory in use after 2,000 bills", Unit::Megabytes, "",
         nullptr},
    };
    return r;
}

std::string formatValue(std::optional<double> v, Unit unit)
{
    if (!v)
        return "-";
    char text[32];
    switch (unit) {
    case Unit::Milliseconds: std::snprintf(text, sizeof text, "%.3f ms", *v * 1e3); break;
    case Unit::Seconds: std::snprintf(text, sizeof text, "%.2f s", *v); break;
    case Unit::Megabytes: std::snprintf(text, sizeof text, "%.1f MB", *v); break;
    case Unit::Records: std::snprintf(text, sizeof text, "%.0f", *v); break;
    }
    return text;
}

// The table's lines for the figures this run produced.
std::string tableLines()
{
    std::ostringstream out;
    for (const Row& row : rows()) {
        const auto it = bench::results().find(row.metric);
        if (it == bench::results().end())
            continue;
        const Figure& f = it->second;
        std::string ratio = "-";
        if (f.ours && f.raw && *f.raw > 0) {
            char text[16];
            std::snprintf(text, sizeof text, "%.2fx", *f.ours / *f.raw);
            ratio = text;
        }
        std::string met = "-";
        if (row.met) {
            if (const auto ok = row.met(f))
                met = *ok ? "yes" : "NO";
        }
        out << row.work << '\t' << formatValue(f.ours, row.unit) << '\t' << formatValue(f.raw, row.unit) << '\t'
            << ratio << '\t' << (row.target.empty() ? "-" : row.target) << '\t' << met << '\n';
    }
    return out.str();
}

}  // namespace

int main(int argc, char** argv)
{
    // Our own flags go before Google Benchmark sees the rest.
    std::string tableOut;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--database=", 0) == 0)
            bench::setLargeDatabase(QString::fromStdString(a.substr(11)));
        else if (a.rfind("--table_out=", 0) == 0)
            tableOut = a.substr(12);
        else
            args.push_back(argv[i]);
    }
    int count = int(args.size());
    QCoreApplication app(count, args.data());
    bench::exitOnInterrupt();

    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const std::string lines = tableLines();
    if (tableOut.empty()) {
        std::cout << "\nwork\tours\traw\tratio\ttarget\tmet?\n" << lines;
    } else {
        std::ofstream out(tableOut, std::ios::app);
        out << lines;
    }
    return 0;
}

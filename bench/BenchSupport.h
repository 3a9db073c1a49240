#pragma once

// What every benchmark shares: where the large database lives and scratch
// copies of it, the program's data module connected the way the login window
// connects it, timing samples, the process's memory, the server's record
// counters, and the results that end up in the summary table.

#include <QString>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class Tdm;

namespace rawfb {
class Attachment;
}

namespace bench {

// The large database made by tavlora_generate; --database=PATH overrides it.
QString largeDatabase();
void setLargeDatabase(const QString& path);

// A copy of the large database for one benchmark, so that what it writes
// never reaches the next one. Removed when it goes out of scope.
class DatabaseCopy {
public:
    explicit DatabaseCopy(const QString& name);
    ~DatabaseCopy();
    DatabaseCopy(const DatabaseCopy&) = delete;
    DatabaseCopy& operator=(const DatabaseCopy&) = delete;

    QString path() const { return path_; }
    std::string stdPath() const { return path_.toStdString(); }

private:
    QString path_;
};

// The data module on a database, connected, its transaction started and the
// settings row open, as after a login. Owns the global `dm` while it lives.
class DataModule {
public:
    explicit DataModule(const QString& path);
    ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
    Tdm* operator->() const { return dm_; }
    Tdm& operator*() const { return *dm_; }

    // The bill panel's datasets: tables in key order, the current table's
    // open bill with its lines and sums.
    void openBillPanel();

private:
    Tdm* dm_;
};

// A Ctrl-C or kill ends the process at once. The Firebird client's own
// handlers, once run, can make a later detach spin forever; the work copies
// are scratch, so nothing is lost by not detaching.
void exitOnInterrupt();

// Peak resident memory of the process since the last reset, in megabytes.
void resetPeakMemory();
double peakMemoryMb();
// Resident memory of the process now, and the bytes malloc has handed out
// and not been given back, in megabytes.
double residentMemoryMb();
double heapInUseMb();

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Times of single operations, in seconds.
class Samples {
public:
    void add(double seconds) { values_.push_back(seconds); }
    void reserve(std::size_t n) { values_.reserve(n); }
    std::size_t count() const { return values_.size(); }
    bool empty() const { return values_.empty(); }
    double median() const { return percentile(50); }
    double percentile(double p) const;
    double total() const;
    // A slice [from, to) by position, for "the first hour" of a run.
    Samples slice(std::size_t from, std::size_t to) const;

private:
    std::vector<double> values_;
};

// The time of one call, in seconds.
template <class F>
double timed(F&& work)
{
    const auto start = Clock::now();
    work();
    return secondsSince(start);
}

// Our path and the raw one, run in turns within one benchmark, so that
// whatever else the machine does weighs on both alike: even turns run ours
// first, odd turns raw first. Google Benchmark's own time is ours.
class Paired {
public:
    template <class Ours, class Raw>
    void run(benchmark::State& state, Ours&& ours, Raw&& raw);

    // The medians and their ratio as counters, and in the table under
    // `metric`.
    void report(benchmark::State& state, const std::string& metric) const;

    Samples ours, raw;

private:
    std::size_t turn_ = 0;
};

// Runs a benchmark's body; an error ends the benchmark with its message
// instead of the whole run.
template <class F>
void guarded(benchmark::State& state, F&& body);

// The server's record counters of one attachment (MON$RECORD_STATS). Two
// paths that send the same statements read, insert and update the same
// number of records.
struct RecordStats {
    std::int64_t seqReads = 0, idxReads = 0, inserts = 0, updates = 0, backVersionReads = 0;
    RecordStats operator-(const RecordStats& o) const
    {
        return {seqReads - o.seqReads, idxReads - o.idxReads, inserts - o.inserts, updates - o.updates,
                backVersionReads - o.backVersionReads};
    }
};
RecordStats recordStats(Tdm& dm);
RecordStats recordStats(rawfb::Attachment& attachment);

// Records read, inserted and updated per operation, as counters named
// with `prefix` ("ours", "raw").
void reportStats(benchmark::State& state, const std::string& prefix, const RecordStats& stats,
                 std::size_t operations);

enum class Side { Ours, Raw };

// One figure of the summary table, ours or raw.
void record(const std::string& metric, Side side, double value);
struct Figure {
    std::optional<double> ours, raw;
};
const std::map<std::string, Figure>& results();

}  // namespace bench

template <class Ours, class Raw>
void bench::Paired::run(benchmark::State& state, Ours&& oursWork, Raw&& rawWork)
{
    double o = 0, r = 0;
    if (turn_++ % 2 == 0) {
        o = timed(oursWork);
        r = timed(rawWork);
    } else {
        r = timed(rawWork);
        o = timed(oursWork);
    }
    ours.add(o);
    raw.add(r);
    state.SetIterationTime(o);
}

template <class F>
void bench::guarded(benchmark::State& state, F&& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

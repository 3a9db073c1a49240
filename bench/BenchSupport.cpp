#include "BenchSupport.h"

#include "RawFirebird.h"

#include "data/u_dm.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <stdexcept>
#include <thread>

#include <malloc.h>
#include <pthread.h>
#include <unistd.h>

namespace bench {

namespace {

QString& largePath()
{
    static QString path = QStringLiteral(TAVLORA_BENCH_DATABASE);
    return path;
}

std::map<std::string, Figure>& figures()
{
    static std::map<std::string, Figure> f;
    return f;
}

const char* kStatsSql =
    "select r.MON$RECORD_SEQ_READS, r.MON$RECORD_IDX_READS, r.MON$RECORD_INSERTS, r.MON$RECORD_UPDATES, "
    "r.MON$BACKVERSION_READS "
    "from MON$ATTACHMENTS a join MON$RECORD_STATS r on r.MON$STAT_ID = a.MON$STAT_ID "
    "where a.MON$ATTACHMENT_ID = CURRENT_CONNECTION";

}  // namespace

QString largeDatabase()
{
    return largePath();
}

void setLargeDatabase(const QString& path)
{
    largePath() = path;
}

DatabaseCopy::DatabaseCopy(const QString& name)
{
    const QString source = largeDatabase();
    if (!QFileInfo::exists(source))
        throw std::runtime_error("no large database at " + source.toStdString() +
                                 "; make it with tavlora_generate (scripts/bench.sh does)");
    path_ = QFileInfo(source).absolutePath() +
            QStringLiteral("/work-%1-%2.fdb").arg(QCoreApplication::applicationPid()).arg(name);
    QFile::remove(path_);
    if (!QFile::copy(source, path_))
        throw std::runtime_error("cannot copy " + source.toStdString() + " to " + path_.toStdString());
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup);
}

DatabaseCopy::~DatabaseCopy()
{
    QFile::remove(path_);
}

DataModule::DataModule(const QString& path) : dm_(new Tdm)
{
    dm = dm_;
    dm_->IBDatabase1->setDatabaseName(path);
    dm_->IBDatabase1->connect();
    dm_->IBTransaction1->start();
    dm_->T_Ayarlar->open();
}

DataModule::~DataModule()
{
    delete dm_;
    dm = nullptr;
}

void DataModule::openBillPanel()
{
    dm_->Q_Masa->setSql(QStringLiteral("select * from masa order by masa_id  "));
    dm_->Q_Masa->open();
    dm_->Q_Adisyon->open();
}

void exitOnInterrupt()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    // Threads started later inherit the mask, the engine's included.
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set] {
        int sig = 0;
        sigwait(&set, &sig);
        std::fprintf(stderr, "\ninterrupted\n");
        _exit(128 + sig);
    }).detach();
}

void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

namespace {

double statusFieldMb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(field.size())) / 1024.0;
    }
    return 0;
}

}  // namespace

double peakMemoryMb()
{
    return statusFieldMb("VmHWM:");
}

double residentMemoryMb()
{
    return statusFieldMb("VmRSS:");
}

double heapInUseMb()
{
    // Small blocks from the arenas and the large ones malloc maps on its own.
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

double Samples::percentile(double p) const
{
    if (values_.empty())
        return 0;
    std::vector<double> v = values_;
    std::sort(v.begin(), v.end());
    const double rank = p / 100.0 * double(v.size() - 1);
    const auto lo = std::size_t(rank);
    const std::size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (rank - double(lo));
}

double Samples::total() const
{
    return std::accumulate(values_.begin(), values_.end(), 0.0);
}

Samples Samples::slice(std::size_t from, std::size_t to) const
{
    Samples out;
    to = std::min(to, values_.size());
    for (std::size_t i = from; i < to; ++i)
        out.add(values_[i]);
    return out;
}

RecordStats recordStats(Tdm& dm)
{
    // The monitoring tables keep one snapshot per transaction: a transaction
    // of its own reads them fresh.
    db::Transaction t(*dm.IBDatabase1);
    t.setParams({QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")});
    t.start();
    RecordStats out;
    {
        db::Statement s(t);
        s.setSql(QString::fromLatin1(kStatsSql));
        const auto rows = s.fetchAll();
        if (!rows.empty()) {
            const db::Row& r = rows.front();
            out = {r[0].toLongLong(), r[1].toLongLong(), r[2].toLongLong(), r[3].toLongLong(), r[4].toLongLong()};
        }
    }
    t.commit();
    return out;
}

RecordStats recordStats(rawfb::Attachment& attachment)
{
    rawfb::Transaction t(attachment);
    RecordStats out;
    {
        rawfb::Statement s(attachment, t, kStatsSql);
        s.execute();
        out = {s.getInt(0), s.getInt(1), s.getInt(2), s.getInt(3), s.getInt(4)};
    }
    t.commit();
    return out;
}

void Paired::report(benchmark::State& state, const std::string& metric) const
{
    state.counters["ours_median_ms"] = ours.median() * 1e3;
    state.counters["raw_median_ms"] = raw.median() * 1e3;
    state.counters["ratio"] = raw.median() > 0 ? ours.median() / raw.median() : 0;
    state.counters["ours_p90_ms"] = ours.percentile(90) * 1e3;
    state.counters["raw_p90_ms"] = raw.percentile(90) * 1e3;
    record(metric, Side::Ours, ours.median());
    record(metric, Side::Raw, raw.median());
}

void reportStats(benchmark::State& state, const std::string& prefix, const RecordStats& stats,
                 std::size_t operations)
{
    const double n = operations ? double(operations) : 1.0;
    state.counters[prefix + "_reads/op"] = double(stats.seqReads + stats.idxReads) / n;
    state.counters[prefix + "_ins/op"] = double(stats.inserts) / n;
    state.counters[prefix + "_upd/op"] = double(stats.updates) / n;
}

void record(const std::string& metric, Side side, double value)
{
    Figure& f = figures()[metric];
    (side == Side::Ours ? f.ours : f.raw) = value;
}

const std::map<std::string, Figure>& results()
{
    return figures();
}

}  // namespace bench

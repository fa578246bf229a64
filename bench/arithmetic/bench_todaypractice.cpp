// 今日练习 over a long history: the session built for a child (her unit's
// records read from 250,000 answers, then the 25 problems planned), every
// fact grid's states at once, and an answer taken with its record updated.

#include "arithmetic/FactHistory.h"
#include "arithmetic/FactSets.h"
#include "arithmetic/TodaySession.h"
#include "storage/HistoryStore.h"
#include "support/RunBenchmarks.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kAnswers = 250000;
constexpr int kPerSession = 50;
constexpr int kDays = 5 * 365;
const PresetPick kTables{16, 1};  // 全部口诀

// Five years of practice: half the answers to the 口诀, the rest spread over
// every other fact and an open unit's sessions; one in eight wrong, times
// from 1.5 to 9 seconds.
struct LongHistory {
    QTemporaryDir dir;
    std::unique_ptr<HistoryStore> store;

    LongHistory()
    {
        store = std::make_unique<HistoryStore>(HistoryStore::PathIn(dir.path() + u'/'));
        const QList<int> tables = UnitFacts(kTables);
        const qsizetype facts = AllFacts().size();
        const QDate today = QDate::currentDate();
        const int sessions = kAnswers / kPerSession;
        for (int s = 0; s < sessions; ++s) {
            SessionRow session;
            session.id = s + 1;
            session.started = QDateTime(today.addDays(-(kDays - 1) + s * kDays / sessions), QTime(18, 0));
            session.total = kPerSession;
            const bool open = s % 4 == 3;
            session.presetId = open ? QStringLiteral("23") : QStringLiteral("16");
            session.presetName = open ? QStringLiteral("两位数加减两位数（口算）") : QStringLiteral("7～9的乘法口诀（表内乘法） · 全部口诀");
            store->Keep(session);
            for (int k = 0; k < kPerSession; ++k) {
                const int n = s * kPerSession + k;
                QString problem;
                if (open)
                    problem = QStringLiteral("%1+%2").arg(10 + n % 80).arg(10 + n % 13);
                else if (s % 2 == 0)
                    problem = AllFacts().at(tables.at(n % tables.size())).Key;
                else
                    problem = AllFacts().at(static_cast<int>((n * 7919LL) % facts)).Key;
                const bool right = n % 8 != 0;
                store->Keep(AnswerRow{session.id, 1, HistoryOrigin::Practice, session.started.addSecs(k * 5), problem,
                                      right ? QStringLiteral("12") : QStringLiteral("13"), right, 1500 + (n % 16) * 500});
            }
        }
        if (store->Write(10000) != HistoryStore::WriteResult::Written)
            std::abort();
        QSqlQuery(store->Database()).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
};

LongHistory &History()
{
    static LongHistory history;
    return history;
}

void BM_BuildSession(benchmark::State &state)
{
    const PresetPick unit{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    std::uint32_t seed = 1;
    for (auto _ : state) {
        TodaySession session(unit, UnitRecords(*History().store, 1, unit), {}, RandomSource(seed++));
        benchmark::DoNotOptimize(session.Current());
    }
}
BENCHMARK(BM_BuildSession)->Args({16, 1})->Args({8, 0})->Args({23, 0})->Unit(benchmark::kMillisecond);

void BM_AllGridStates(benchmark::State &state)
{
    for (auto _ : state) {
        const QList<FactRecord> records = AllFactRecords(*History().store, 1);
        int known = 0;
        for (const FactRecord &record : records)
            known += IsKnown(record.State()) ? 1 : 0;
        benchmark::DoNotOptimize(known);
    }
}
BENCHMARK(BM_AllGridStates)->Unit(benchmark::kMillisecond);

// The ★ of every unit in the chooser at once.
void BM_MasteredUnits(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MasteredUnits(*History().store, 1));
}
BENCHMARK(BM_MasteredUnits)->Unit(benchmark::kMillisecond);

void BM_AnswerWithRecord(benchmark::State &state)
{
    const QList<FactRecord> records = UnitRecords(*History().store, 1, kTables);
    std::unique_ptr<TodaySession> session;
    std::uint32_t seed = 1;
    for (auto _ : state) {
        if (!session || session->Done()) {
            state.PauseTiming();
            session = std::make_unique<TodaySession>(kTables, records, QList<Problem>{}, RandomSource(seed++));
            state.ResumeTiming();
        }
        session->Answered(session->Asked() % 5 != 0, 2.5, QDate::currentDate());
    }
}
BENCHMARK(BM_AnswerWithRecord)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv, [] {
        History().store->Open();
        History().store->WaitForMigration();
    });
}

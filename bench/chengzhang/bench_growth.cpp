// The history's cost to a child and to a parent: an answer checked and the
// next problem painted with the history attached, the 成长记录 window over
// five years of daily practice and its fact grids, the weekly report to
// PDF, and the bytes the history takes per answer.

#include "chengzhang/FactGrid.h"
#include "chengzhang/GrowthPainter.h"
#include "chengzhang/TForm8.h"
#include "lianxi/TForm2.h"
#include "shell/HistoryFeed.h"
#include "storage/HistoryStore.h"
#include "storage/SaveRetry.h"
#include "support/ReportMedian.h"
#include "support/RunWindowBenchmarks.h"
#include "widgets/FlatButton.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kAnswers = 250000;
constexpr int kSessions = 3000;
constexpr int kDays = 5 * 365;

void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Five years of daily practice up to today: sessions spread over the days,
// answers spread over the sessions, one in ten wrong.
struct FiveYears {
    QTemporaryDir dir;
    std::unique_ptr<HistoryStore> store;
    qint64 bytes = 0;

    FiveYears()
    {
        const QString path = HistoryStore::PathIn(dir.path() + u'/');
        store = std::make_unique<HistoryStore>(path);
        const QDate today = QDate::currentDate();
        for (int s = 0; s < kSessions; ++s) {
            SessionRow session;
            session.id = s + 1;
            session.started = QDateTime(today.addDays(-(kDays - 1) + s * kDays / kSessions), QTime(18, 0));
            session.total = kAnswers / kSessions;
            session.setting = QStringLiteral("%1以内 加减").arg(s % 2 ? 20 : 100);
            store->Keep(session);
            for (int k = 0; k < session.total; ++k) {
                const int a = (s + k) % 19 + 1;
                const int b = (s * 7 + k) % 17 + 1;
                const bool right = k % 10 != 0;
                store->Keep(AnswerRow{session.id, 1, HistoryOrigin::Practice, session.started.addSecs(k * 4),
                                      QStringLiteral("%1+%2").arg(a).arg(b), QString::number(a + b + (right ? 0 : 1)),
                                      right, 2000 + (k % 7) * 500});
            }
        }
        if (store->Write(10000) != HistoryStore::WriteResult::Written)
            std::abort();
        QSqlQuery(store->Database()).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        bytes = QFileInfo(path).size();
    }
};

FiveYears &History()
{
    static FiveYears history;
    return history;
}

GrowthSources Sources()
{
    GrowthSources sources;
    sources.store = History().store.get();
    sources.childName = QStringLiteral("小明");
    sources.today = QDate::currentDate;
    sources.notebookState = [] { return NotebookState{12, 3, 40}; };
    sources.sendToNotebook = [](const Problem &, HistoryOrigin) { return std::optional<QString>(); };
    return sources;
}

// The clock stops once the next problem is painted; the history's batch is
// written later by its timer and is timed apart as write_us.
void BM_CheckAndNextProblemWithHistory(benchmark::State &state)
{
    QTemporaryDir dir;
    HistoryStore store(HistoryStore::PathIn(dir.path() + u'/'));
    store.Open();
    SaveRetry saves(store, [](const QString &) {});
    HistoryFeed feed(store, saves, 1, HistoryOrigin::Practice);
    TForm2 form;
    form.SetAnswerListener(&feed);
    form.show();
    form.SpeedButton4->click();
    Settle();
    std::vector<double> seconds;
    std::vector<double> writes;
    for (auto _ : state) {
        const auto start = Clock::now();
        form.Edit1->setText(QString::number(form.Session().Problem().Answer));
        form.SpeedButton15->click();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        const auto shown = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        seconds.push_back(std::chrono::duration<double>(shown - start).count());
        store.Write();
        writes.push_back(std::chrono::duration<double>(Clock::now() - shown).count());
    }
    ReportMedian(state, seconds);
    std::sort(writes.begin(), writes.end());
    state.counters["write_us"] = writes[writes.size() / 2] * 1e6;
}
BENCHMARK(BM_CheckAndNextProblemWithHistory)->UseManualTime()->Unit(benchmark::kMicrosecond);

// 成长记录 opened until it is painted, over 250,000 answers.
void BM_OpenGrowthWindow(benchmark::State &state)
{
    History();
    std::vector<double> seconds;
    for (auto _ : state) {
        const auto start = Clock::now();
        TForm8 growth(Sources());
        growth.show();
        Settle();
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
    }
    ReportMedian(state, seconds);
    state.counters["bytes_per_answer"] = static_cast<double>(History().bytes) / kAnswers;
}
BENCHMARK(BM_OpenGrowthWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

// 熟练图 pressed until the grids are painted, every fact's state read from
// 250,000 answers.
void BM_ShowFactGrids(benchmark::State &state)
{
    History();
    std::vector<double> seconds;
    for (auto _ : state) {
        TForm8 growth(Sources());
        growth.show();
        Settle();
        const auto start = Clock::now();
        growth.SpeedButton12->click();
        Settle();
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
    }
    ReportMedian(state, seconds);
}
BENCHMARK(BM_ShowFactGrids)->UseManualTime()->Unit(benchmark::kMillisecond);

// 打印周报 to a PDF file, from the queries to the written pages.
void BM_WeeklyReportToPdf(benchmark::State &state)
{
    History();
    QTemporaryDir dir;
    std::vector<double> seconds;
    for (auto _ : state) {
        const auto start = Clock::now();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
        const GrowthReport week = Growth::Read(*History().store, 1, 7, QDate::currentDate());
        FactChanges changes;
        const QList<FactGrid> grids = FactGrids::ReadWeek(*History().store, 1, week.first, changes);
        if (!GrowthPainter::PaintWeeklyReport(printer, week, QStringLiteral("小明"), NotebookState{12, 3, 40}, grids,
                                              changes))
            std::abort();
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
    }
    ReportMedian(state, seconds);
}
BENCHMARK(BM_WeeklyReportToPdf)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv);
}

// The 错题本 with 10,000 entries (about 400 KB): noting a miss, which runs
// between a drill's "确定" and its next problem, saving it afterwards, and
// reading the notebook as its window opens.
#include "cuotiben/Notebook.h"
#include "cuotiben/NotebookListModel.h"
#include "cuotiben/ReviewSession.h"
#include "cuotiben/ReviewView.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kEntries = 10000;
const QDate kMonday(2024, 3, 4);

ArithProblem NthProblem(int n)
{
    const int first = n / 100 + 1;
    const int second = n % 100 + 1;
    return {first, Operator::Multiplication, second, first * second};
}

// A notebook file of kEntries misses of the last 30 days.
class LargeNotebook {
public:
    LargeNotebook()
    {
        Notebook notebook(path());
        for (int i = 0; i < kEntries; ++i) {
            notebook.NoteMiss(NthProblem(i), QString::number(i % 97), static_cast<MissSource>(i % 3),
                              kMonday.addDays(-(i % 30)));
        }
        if (notebook.Save())
            std::abort();
        std::printf("notebook: %d entries, %lld bytes\n", kEntries,
                    static_cast<long long>(QFile(path()).size()));
    }

    QString path() const { return Notebook::PathIn(dir_.path()); }

private:
    QTemporaryDir dir_;
};

const LargeNotebook &Large()
{
    static const LargeNotebook notebook;
    return notebook;
}

// A copy of the large notebook that a benchmark may change.
class Scratch {
public:
    Scratch()
    {
        if (!QFile::copy(Large().path(), path()))
            std::abort();
    }
    QString path() const { return Notebook::PathIn(dir_.path()); }

private:
    QTemporaryDir dir_;
};

// A window that does nothing, so only the logic is timed.
class QuietView : public ReviewView {
public:
    void setDueText(const QString &) override {}
    void entriesChanged() override {}
    void setOperands(const QString &, const QString &, const QString &) override {}
    void clearOperands() override {}
    void showOperatorSign(Operator) override {}
    void showEqualsSign() override {}
    void hideSigns() override {}
    QString answerText() const override { return {}; }
    void setAnswerText(const QString &) override {}
    QString typingText() const override { return {}; }
    void setTypingText(const QString &) override {}
    void openFraction(const QString &) override {}
    void showAnswerHint(const QString &) override {}
    void setAnswerReadOnly(bool) override {}
    void setConfirmEnabled(bool) override {}
    void showRightFeedback() override {}
    void showWrongFeedback(const QString &, const QString &) override {}
    void clearFeedback() override {}
    void celebrate() override {}
    void setStarCount(int) override {}
    void celebrateConquest() override {}
    void celebrateFinish(const QString &) override {}
    void saveSoon() override {}
    void saveLater() override {}
    void playCue(const QString &) override {}
    void showMessage(const QString &) override {}
    void showError(const QString &) override {}
    void printProblems(const QList<Problem> &) override {}
    void showProblem(const Problem &) override {}
    void showAnswerKey(AnswerKind) override {}
    void closeWindow() override {}
};

// In memory only: a new problem, or one already there started over.
void BM_NoteMiss(benchmark::State &state)
{
    Notebook notebook(Large().path());
    if (notebook.Load())
        std::abort();
    const bool known = state.range(0) != 0;
    int n = 0;
    for (auto _ : state) {
        notebook.NoteMiss(known ? NthProblem(n % kEntries) : ArithProblem{n + 200, Operator::Addition, 1, n + 201},
                          QStringLiteral("28"), MissSource::Practice, kMonday);
        ++n;
    }
    state.SetLabel(known ? "known problem" : "new problem");
}
BENCHMARK(BM_NoteMiss)->ArgName("known")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One miss written out: locked, read afresh, compared, written and synced.
// With another_copy the file was changed meanwhile, so it is read anew.
void BM_SaveAMiss(benchmark::State &state)
{
    const Scratch scratch;
    Notebook notebook(scratch.path());
    Notebook other(scratch.path());
    if (notebook.Load() || other.Load())
        std::abort();
    const bool anotherCopy = state.range(0) != 0;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (anotherCopy) {
            other.NoteMiss(NthProblem(n % kEntries), QStringLiteral("1"), MissSource::Exam, kMonday);
            if (other.Save())
                std::abort();
        }
        state.ResumeTiming();
        notebook.NoteMiss(NthProblem((n + 5000) % kEntries), QStringLiteral("2"), MissSource::Practice, kMonday);
        if (notebook.Save())
            std::abort();
        ++n;
    }
}
BENCHMARK(BM_SaveAMiss)->ArgName("another_copy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What the 错题本 window's logic does as it opens: read, count what is due
// and fill its two lists.
void BM_OpenNotebook(benchmark::State &state)
{
    QuietView view;
    for (auto _ : state) {
        Notebook notebook(Large().path());
        ReviewSession session(view, notebook, [] { return kMonday; });
        session.Open();
        const NotebookListModel toReview(notebook, NotebookListModel::Shows::ToReview);
        const NotebookListModel conquered(notebook, NotebookListModel::Shows::Conquered);
        benchmark::DoNotOptimize(toReview.rowCount() + conquered.rowCount());
    }
}
BENCHMARK(BM_OpenNotebook)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

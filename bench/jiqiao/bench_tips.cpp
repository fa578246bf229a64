// A tips store of 100,000 tips (about 5 MB): opening the window on it,
// saving it, saving one more tip through the window's logic, and scrolling
// the list a page at a time.
#include "jiqiao/TForm3.h"
#include "jiqiao/TipListView.h"
#include "jiqiao/TipStore.h"
#include "support/RunWindowBenchmarks.h"
#include "widgets/FlatButton.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kTips = 100000;

// An installation folder whose store holds kTips lines of star, Chinese text
// and numbers, each about 50 bytes with its line break.
class LargeInstall {
public:
    LargeInstall()
    {
        QDir(dir_.path()).mkdir(QStringLiteral("database"));
        TipStore store;
        for (int i = 0; i < kTips; ++i) {
            const QString text = QStringLiteral("凑十法：9加几，把另一个数分成1和几，先凑成十。第%1条").arg(i + 1);
            if (!store.AddTip(text))
                std::abort();
        }
        if (store.SaveTips(storePath()))
            std::abort();
        std::printf("store: %d tips, %lld bytes\n", kTips, static_cast<long long>(QFile(storePath()).size()));
    }

    QString root() const { return dir_.path() + QLatin1Char('/'); }
    QString storePath() const { return root() + QStringLiteral("database/yd.zerk"); }

private:
    QTemporaryDir dir_;
};

const LargeInstall &Install()
{
    static const LargeInstall install;
    return install;
}

void BM_OpenWindowAndListTips(benchmark::State &state)
{
    const QString root = Install().root();
    for (auto _ : state) {
        TForm3 window(root);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        if (window.ListView1->model()->rowCount() != kTips)
            state.SkipWithError("not every tip listed");
    }
}
BENCHMARK(BM_OpenWindowAndListTips)->Unit(benchmark::kMillisecond);

void BM_SaveTips(benchmark::State &state)
{
    TipStore store;
    if (store.LoadTips(Install().storePath()))
        state.SkipWithError("store unreadable");
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("yd.zerk"));
    for (auto _ : state) {
        if (store.SaveTips(path))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * store.FileBytes().size());
}
BENCHMARK(BM_SaveTips)->Unit(benchmark::kMillisecond);

// One press of "保存技巧" on the large store: the new tip appended, the whole
// store rewritten and the list rebuilt and drawn.
void BM_SaveOneMoreTipInWindow(benchmark::State &state)
{
    QTemporaryDir copy;
    QDir(copy.path()).mkdir(QStringLiteral("database"));
    const QString root = copy.path() + QLatin1Char('/');
    QFile::copy(Install().storePath(), root + QStringLiteral("database/yd.zerk"));
    TForm3 window(root);
    window.show();
    window.SpeedButton3->click();
    for (auto _ : state) {
        window.SpeedButton6->click();
        window.Memo2->setPlainText(QStringLiteral("破十法：十几减9，先算10－9=1。"));
        window.SpeedButton5->click();
        benchmark::DoNotOptimize(window.ListView1->grab());
    }
    if (window.ListView1->model()->rowCount() != kTips + static_cast<int>(state.iterations()))
        state.SkipWithError("a tip was not saved");
}
BENCHMARK(BM_SaveOneMoreTipInWindow)->Unit(benchmark::kMillisecond);

// One page of scrolling, drawn: well under a frame's 16 ms means smooth.
void BM_ScrollListOnePage(benchmark::State &state)
{
    TForm3 window(Install().root());
    window.show();
    QScrollBar *bar = window.ListView1->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->pageStep() < bar->maximum() ? bar->value() + bar->pageStep() : 0);
        benchmark::DoNotOptimize(window.ListView1->viewport()->grab());
    }
}
BENCHMARK(BM_ScrollListOnePage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, Install);
}

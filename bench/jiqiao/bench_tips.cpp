// A tips store of 100,000 tips (about 5 MB): opening the window on it,
// saving it, saving one more tip through the window's logic, and scrolling
// the list a page at a time. Then single tips of great length: the list
// repainted with a 1 MB tip in it, such a tip shown in full, and a store of
// one 50 MB line opened.
#include "jiqiao/TForm3.h"
#include "jiqiao/TipListView.h"
#include "jiqiao/TipStore.h"
#include "support/RunWindowBenchmarks.h"
#include "widgets/FlatButton.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringEncoder>
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

// An installation folder whose store holds the given lines, as GBK.
class StoreInstall {
public:
    explicit StoreInstall(const QList<QByteArray> &lines)
    {
        QDir(dir_.path()).mkdir(QStringLiteral("database"));
        QFile store(dir_.path() + QStringLiteral("/database/yd.zerk"));
        if (!store.open(QIODevice::WriteOnly))
            std::abort();
        for (const QByteArray &line : lines) {
            if (store.write(line + "\r\n") != line.size() + 2)
                std::abort();
        }
    }

    QString root() const { return dir_.path() + QLatin1Char('/'); }

private:
    QTemporaryDir dir_;
};

// Chinese text and numbers, as GBK, repeated to the given number of bytes.
QByteArray LongGbkLine(qsizetype bytes)
{
    const QByteArray unit = QStringEncoder("GBK")(QStringLiteral("凑十法：9加几，把另一个数分成1和几，先凑成十。"));
    QByteArray line;
    line.reserve(bytes + unit.size());
    while (line.size() < bytes)
        line += unit;
    return line;
}

constexpr qsizetype kMegabyte = 1 << 20;

// A 1 MB tip of letters with no space, one of Chinese text, and a short one.
const StoreInstall &LongTipsInstall()
{
    static const StoreInstall install(
        {QByteArray(kMegabyte, 'x'), LongGbkLine(kMegabyte), QByteArray("\xa1\xef\xbc\xd3\xb7\xa8")});
    return install;
}

const StoreInstall &HugeLineInstall()
{
    static const StoreInstall install({LongGbkLine(50 * kMegabyte)});
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

// A repaint of the list with the 1 MB tips in it: within a frame's 16 ms.
void BM_RepaintListWithMegabyteTips(benchmark::State &state)
{
    TForm3 window(LongTipsInstall().root());
    window.show();
    for (auto _ : state)
        benchmark::DoNotOptimize(window.ListView1->viewport()->grab());
}
BENCHMARK(BM_RepaintListWithMegabyteTips)->Unit(benchmark::kMillisecond);

// "详解技巧" on a 1 MB tip, drawn: 0 is the tip of letters without a space,
// 1 the Chinese one.
void BM_ShowMegabyteTipInFull(benchmark::State &state)
{
    TForm3 window(LongTipsInstall().root());
    window.show();
    // The click in the list that chooses the tip.
    window.ListView1->selectRow(static_cast<int>(state.range(0)));
    emit window.ListView1->mouseClicked();
    for (auto _ : state) {
        window.SpeedButton2->click();
        benchmark::DoNotOptimize(window.Memo1->grab());
    }
    if (window.Memo1->toPlainText().size() < kMegabyte / 2)
        state.SkipWithError("the tip is not shown whole");
}
BENCHMARK(BM_ShowMegabyteTipInFull)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The window created and shown on a store of one 50 MB line: within 2 s.
void BM_OpenStoreOfOne50MbLine(benchmark::State &state)
{
    const QString root = HugeLineInstall().root();
    for (auto _ : state) {
        TForm3 window(root);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        if (window.ListView1->model()->rowCount() != 1)
            state.SkipWithError("the line is not listed");
    }
}
BENCHMARK(BM_OpenStoreOfOne50MbLine)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, Install);
}

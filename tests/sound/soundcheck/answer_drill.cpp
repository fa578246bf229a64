// Answers a practice drill through the drill window's own controls, as a
// quick child would, while the cues play on the real sound server. Each
// problem is read off the window and answered right or wrong by plan; the
// moment each answer is confirmed goes to the file named on the command
// line, one line each: milliseconds since the first answer, then the cue it
// asks for ("dui" or "cuo"). Last comes a cue whose file is missing ("-"),
// which must silence the cue before it and sound nothing itself.
#include "lianxi/DrillSession.h"
#include "lianxi/TForm2.h"
#include "shell/Application.h"
#include "sound/Cues.h"
#include "widgets/FlatButton.h"
#include "widgets/OperandLabel.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <cstdio>

namespace {

struct Answer {
    bool right;
    int msToNext;  // from this confirm to the next one
};

// Twelve right and three wrong. Gaps shorter than a cue (500 ms for "dui",
// 450 ms for "cuo") cut it off: a right answer by a right one, by a wrong one,
// and a wrong one by a right one.
constexpr std::array<Answer, 15> kPlan{{
    {true, 800},  {true, 750},  {true, 300},  {true, 700},  {false, 900},
    {true, 250},  {true, 650},  {true, 800},  {true, 350},  {false, 220},
    {true, 700},  {true, 750},  {true, 900},  {false, 650}, {true, 200},
}};
constexpr int kKeyMs = 60;           // between two key presses
constexpr int kSettleMs = 1000;      // for the window and the cue output to be ready
constexpr int kLastCueMs = 1500;     // for the last cue to play out

int Solve(const TForm2 &form)
{
    const int first = form.Label2->text().toInt();
    const int second = form.Label3->text().toInt();
    if (form.Image9->isVisible())
        return first + second;
    if (form.Image10->isVisible())
        return first - second;
    if (form.Image11->isVisible())
        return first * second;
    return first / second;
}

void Press(const QString &digits, TForm2 &form)
{
    FlatButton *const keys[] = {form.SpeedButton5,  form.SpeedButton6,  form.SpeedButton7, form.SpeedButton8,
                                form.SpeedButton9,  form.SpeedButton10, form.SpeedButton11, form.SpeedButton12,
                                form.SpeedButton13, form.SpeedButton14};
    for (QChar digit : digits) {
        QTest::mouseClick(keys[digit.digitValue()], Qt::LeftButton);
        QTest::qWait(kKeyMs);
    }
}

void WaitUntil(const QElapsedTimer &clock, qint64 ms)
{
    while (clock.elapsed() < ms)
        QTest::qWait(static_cast<int>(std::min<qint64>(5, ms - clock.elapsed())));
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: answer_drill LOG\n");
        return 2;
    }
    SetUpApplication(app);
    QFile log(QString::fromLocal8Bit(argv[1]));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "answer_drill: cannot create %s: %s\n", argv[1], qPrintable(log.errorString()));
        return 1;
    }
    QTextStream out(&log);

    Cues::Preload();
    TForm2 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    QTest::qWait(kSettleMs);
    QTest::mouseClick(form.SpeedButton4, Qt::LeftButton);

    QElapsedTimer clock;
    clock.start();
    qint64 due = kKeyMs * 3;  // time to type the first answer
    for (const Answer &answer : kPlan) {
        const int solution = Solve(form);
        const QString typed = QString::number(answer.right ? solution : solution + 1);
        WaitUntil(clock, due - kKeyMs * (typed.size() + 1));
        Press(typed, form);
        WaitUntil(clock, due);
        QTest::mouseClick(form.SpeedButton15, Qt::LeftButton);
        out << clock.elapsed() << (answer.right ? " dui\n" : " cuo\n");
        due += answer.msToNext;
    }
    WaitUntil(clock, due);
    PlayCue(QStringLiteral("Sound\\no-such-cue.wav"));
    out << clock.elapsed() << " -\n";
    QTest::qWait(kLastCueMs);

    out.flush();
    if (log.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "answer_drill: cannot write %s: %s\n", argv[1], qPrintable(log.errorString()));
        return 1;
    }
    const auto rights = std::count_if(kPlan.begin(), kPlan.end(), [](const Answer &a) { return a.right; });
    const DrillTally &tally = form.Session().Tally();
    if (tally.RightCount() != rights || tally.WrongCount() != std::ssize(kPlan) - rights) {
        std::fprintf(stderr, "answer_drill: the drill counted %d right and %d wrong answers, not as planned\n",
                     tally.RightCount(), tally.WrongCount());
        return 1;
    }
    return 0;
}

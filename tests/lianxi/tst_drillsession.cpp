#include "FakeDrillView.h"
#include "lianxi/DailyCourse.h"
#include "lianxi/DrillMode.h"
#include "lianxi/DrillRecords.h"
#include "lianxi/DrillSession.h"
#include "sound/CueNames.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

class tst_DrillSession : public QObject {
    Q_OBJECT

private:
    // Checks an answer given as text, the way the window's box would hold it.
    static void Answer(DrillSession &session, FakeDrillView &view, const QString &text)
    {
        view.answer = text;
        session.Check();
    }
    static QString RightAnswer(const DrillSession &session)
    {
        return QString::number(session.Problem().Answer);
    }
    static QString WrongAnswer(const DrillSession &session)
    {
        return QString::number(session.Problem().Answer + 1);
    }
    static QString Line(const ArithProblem &p, const QString &typed)
    {
        return QString::number(p.FirstOperand) + QLatin1String(OperatorText(p.OperatorCode)) +
               QString::number(p.SecondOperand) + QLatin1Char('=') + typed;
    }
    static void Tick(DrillSession &session, int times)
    {
        for (int i = 0; i < times; ++i)
            session.CompetitionTick();
    }

    // A 今日练习 of the given problems, telling the given ending.
    class ScriptedCourse : public DailyCourse {
    public:
        QList<Problem> problems;
        Ending ending;
        int begun = 0;
        QList<bool> answers;

        PresetPick Unit() const override { return {6, 0}; }
        void Begin() override
        {
            ++begun;
            answers.clear();
        }
        std::optional<Problem> Next() override
        {
            if (answers.size() >= problems.size())
                return std::nullopt;
            return problems.at(answers.size());
        }
        void Answered(const CheckedAnswer &answer) override { answers << answer.right; }
        Ending End() override { return ending; }
    };

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void creationLeavesTheDrillReady()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        QVERIFY(view.firstItemsSelected);
        QVERIFY(!session.Running());

        session.DigitKey(5);
        session.ZeroKey();
        QCOMPARE(view.answer, QString());
        view.answer = QStringLiteral("5");
        QCOMPARE(session.KeyTyped(u'\r'), TypedKey::Swallowed);
        QCOMPARE(session.Tally().TotalCount(), 0);
    }

    void startShowsAProblem()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        view.timeUpShown = true;
        view.panelShown = true;
        session.Start();
        QVERIFY(session.Running());
        QVERIFY(view.equalsShown);
        QVERIFY(!view.timeUpShown);
        QVERIFY(!view.panelShown);
        QVERIFY(view.confirmEnabled);
        QVERIFY(!view.answerReadOnly);
        QCOMPARE(view.shownSign, static_cast<int>(session.Problem().OperatorCode));
        QCOMPARE(view.first, QString::number(session.Problem().FirstOperand));
        QCOMPARE(view.second, QString::number(session.Problem().SecondOperand));
        // Practice has no clock.
        QVERIFY(!view.clockTimerOn);
        QVERIFY(!view.animationTimerOn);
    }

    void keypad_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0 0 7 gives 7") << "007" << "" << "7";
        QTest::newRow("7 0 gives 70") << "70" << "" << "70";
        QTest::newRow("lone zero") << "0" << "" << "0";
        QTest::newRow("zero twice stays one zero") << "00" << "" << "0";
        QTest::newRow("zeros after a digit") << "500" << "" << "500";
        QTest::newRow("digit replaces a lone zero") << "0" "3" << "" << "3";
        QTest::newRow("no limit on digits") << "123456789012" << "" << "123456789012";
        QTest::newRow("appends to typed text") << "4" << "07" << "074";
    }

    void keypad()
    {
        QFETCH(QString, keys);
        QFETCH(QString, before);
        QFETCH(QString, expected);
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        view.answer = before;
        for (QChar key : keys) {
            const int digit = key.digitValue();
            if (digit == 0)
                session.ZeroKey();
            else
                session.DigitKey(digit);
        }
        QCOMPARE(view.answer, expected);
    }

    void keyboardFilter_data()
    {
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<bool>("reachesBox");
        for (char16_t d = u'0'; d <= u'9'; ++d)
            QTest::addRow("digit %c", char(d)) << QChar(d) << true;
        QTest::newRow("backspace") << QChar(u'\b') << true;
        QTest::newRow("enter is handled, not typed") << QChar(u'\r') << false;
        QTest::newRow("letter") << QChar(u'a') << false;
        QTest::newRow("space") << QChar(u' ') << false;
        QTest::newRow("minus") << QChar(u'-') << false;
        QTest::newRow("plus") << QChar(u'+') << false;
        QTest::newRow("full stop") << QChar(u'.') << false;
        QTest::newRow("tab") << QChar(u'\t') << false;
        QTest::newRow("escape") << QChar(u'\x1b') << false;
        QTest::newRow("paste control") << QChar(u'\x16') << false;
        QTest::newRow("full-width seven") << QChar(u'７') << false;
        QTest::newRow("Arabic-Indic seven") << QChar(u'\u0667') << false;
        QTest::newRow("Chinese numeral") << QChar(u'七') << false;
    }

    void keyboardFilter()
    {
        QFETCH(QChar, typed);
        QFETCH(bool, reachesBox);
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        QCOMPARE(session.KeyTyped(typed) == TypedKey::ToAnswerBox, reachesBox);
        QCOMPARE(session.Tally().TotalCount(), 0);
    }

    void enterConfirmsWhileRunning()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        view.answer = RightAnswer(session);
        QCOMPARE(session.KeyTyped(u'\r'), TypedKey::Swallowed);
        QCOMPARE(session.Tally().RightCount(), 1);
        // An empty box: Enter is ignored.
        QCOMPARE(session.KeyTyped(u'\r'), TypedKey::Swallowed);
        QCOMPARE(session.Tally().TotalCount(), 1);
        QVERIFY(view.errors.isEmpty());
    }

    void rightAndWrongAnswersAreCountedAndListed()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        QStringList missed;
        session.SetMissListener([&missed](const ::Problem &problem, const QString &answer) {
            missed << RecordLine(problem, answer);
        });
        session.Create();
        session.Start();
        const ArithProblem first = session.Problem();
        Answer(session, view, RightAnswer(session));
        QCOMPARE(view.cues, QStringList{CueNames::Dui()});
        QCOMPARE(view.answer, QString());
        QCOMPARE(view.first, QString::number(session.Problem().FirstOperand));

        const ArithProblem second = session.Problem();
        const QString wrong = WrongAnswer(session);
        Answer(session, view, wrong);
        QCOMPARE(view.cues, (QStringList{CueNames::Dui(), CueNames::Cuo()}));

        const DrillTally &tally = session.Tally();
        QCOMPARE(tally.RightCount(), 1);
        QCOMPARE(tally.WrongCount(), 1);
        QCOMPARE(tally.TotalCount(), 2);
        QCOMPARE(tally.RightLines(), QStringList{Line(first, QString::number(first.Answer))});
        // The wrong line holds the child's value, not the right one (9*3=28).
        QCOMPARE(tally.WrongLines(), QStringList{Line(second, wrong)});
        // Only the wrong answer goes to the notebook, with its own problem.
        QCOMPARE(missed, QStringList{Line(second, wrong)});
        QCOMPARE(view.rightRowsShown, 1);
        QCOMPARE(view.wrongRowsShown, 1);
    }

    void typedLeadingZeroIsKeptInTheLine()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        const ArithProblem p = session.Problem();
        const QString typed = QLatin1Char('0') + RightAnswer(session);
        Answer(session, view, typed);
        QCOMPARE(session.Tally().RightCount(), 1);
        QCOMPARE(session.Tally().RightLines().front(), Line(p, typed));
    }

    void answersThatAreNotIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one past the largest") << "2147483648";
        QTest::newRow("far too large") << "99999999999999999999";
        QTest::newRow("one below the smallest") << "-2147483649";
        QTest::newRow("letter after digits") << "12a";
        QTest::newRow("pasted space") << " 5";
        QTest::newRow("sign alone") << "-";
        QTest::newRow("two signs") << "--3";
        QTest::newRow("decimal") << "3.0";
        QTest::newRow("full-width digits") << "１２";
    }

    void answersThatAreNotIntegers()
    {
        QFETCH(QString, text);
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        const ArithProblem before = session.Problem();
        const QString firstShown = view.first;
        Answer(session, view, text);
        QCOMPARE(view.errors, QStringList{QStringLiteral("'%1' is not a valid integer value").arg(text)});
        QCOMPARE(session.Tally().TotalCount(), 0);
        QCOMPARE(view.answer, text);
        QCOMPARE(view.first, firstShown);
        QCOMPARE(session.Problem().FirstOperand, before.FirstOperand);
        QCOMPARE(session.Problem().SecondOperand, before.SecondOperand);
        QVERIFY(view.cues.isEmpty());
    }

    void extremeIntegersAreReadAsAnswers()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        Answer(session, view, QStringLiteral("2147483647"));
        Answer(session, view, QStringLiteral("-2147483648"));
        QVERIFY(view.errors.isEmpty());
        QCOMPARE(session.Tally().WrongCount(), 2);
    }

    void emptyAnswerIsIgnored()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        const QString firstShown = view.first;
        session.Check();
        QCOMPARE(session.Tally().TotalCount(), 0);
        QVERIFY(view.cues.isEmpty());
        QVERIFY(view.errors.isEmpty());
        QCOMPARE(view.first, firstShown);
    }

    void clearEmptiesTheBoxRunningOrNot()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        view.answer = QStringLiteral("12");
        session.Clear();
        QCOMPARE(view.answer, QString());
        session.Start();
        session.DigitKey(4);
        session.Clear();
        QCOMPARE(view.answer, QString());
    }

    void settingsTakeEffectWithTheNextProblem()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        for (int i = 0; i < 50; ++i) {
            const ArithProblem p = session.Problem();
            QVERIFY(p.OperatorCode == Operator::Addition || p.OperatorCode == Operator::Subtraction);
            QVERIFY(p.FirstOperand <= 10 && p.SecondOperand <= 10);
            Answer(session, view, RightAnswer(session));
        }
        const ArithProblem onShow = session.Problem();
        view.operation = OperationChoice::MultiplyDivide;
        view.range = 10000;
        QCOMPARE(session.Problem().FirstOperand, onShow.FirstOperand);
        QCOMPARE(session.Problem().OperatorCode, onShow.OperatorCode);
        for (int i = 0; i < 50; ++i) {
            Answer(session, view, RightAnswer(session));
            const ArithProblem p = session.Problem();
            QVERIFY(p.OperatorCode == Operator::Multiplication || p.OperatorCode == Operator::Division);
            QCOMPARE(view.shownSign, static_cast<int>(p.OperatorCode));
        }
    }

    void restartMidDrillStartsOver()
    {
        FakeDrillView view;
        view.title = DrillTitle(DrillMode::Competition);
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        QCOMPARE(view.timerStarts, 2);
        Answer(session, view, RightAnswer(session));
        Answer(session, view, WrongAnswer(session));
        Tick(session, 100);
        QCOMPARE(view.left, 572);

        session.Start();
        QCOMPARE(session.Tally().TotalCount(), 0);
        QCOMPARE(session.Tally().RightCount(), 0);
        QCOMPARE(session.Tally().WrongCount(), 0);
        QVERIFY(session.Tally().RightLines().isEmpty());
        QVERIFY(session.Tally().WrongLines().isEmpty());
        QCOMPARE(view.rightRowsShown + view.wrongRowsShown, 0);
        QCOMPARE(view.left, 672);
        // The timers were on: they keep their rhythm instead of restarting.
        QCOMPARE(view.timerStarts, 2);
        Tick(session, 591);
        QVERIFY(session.Running());
        Tick(session, 1);
        QVERIFY(!session.Running());
    }

    // Ten right in a row within one unit's drill earn a star; a new drill
    // starts the row again, and the stars earned stay.
    void aNewDrillStartsTheStarRunAgain()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.SetPreset({2, 0});
        session.Start();
        for (int k = 0; k < 9; ++k)
            Answer(session, view, RightAnswer(session));
        session.Start();
        Answer(session, view, RightAnswer(session));
        QCOMPARE(view.stars, 0);
        for (int k = 0; k < 9; ++k)
            Answer(session, view, RightAnswer(session));
        QCOMPARE(view.stars, 1);
        session.Start();
        for (int k = 0; k < 10; ++k)
            Answer(session, view, RightAnswer(session));
        QCOMPARE(view.stars, 2);
    }

    void competitionRunsOut_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<bool>("panelOpenBefore");
        QTest::newRow("no answer") << 0 << 0 << false;
        QTest::newRow("answers") << 3 << 1 << false;
        QTest::newRow("answers, panel open") << 1 << 1 << true;
    }

    void competitionRunsOut()
    {
        QFETCH(int, right);
        QFETCH(int, wrong);
        QFETCH(bool, panelOpenBefore);
        FakeDrillView view;
        view.title = DrillTitle(DrillMode::Competition);
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        QVERIFY(view.clockTimerOn && view.animationTimerOn);
        for (int i = 0; i < right; ++i)
            Answer(session, view, RightAnswer(session));
        if (panelOpenBefore) {
            session.ShowResults();
            QCOMPARE(view.resultValues, (QStringList{"1", "1", "0", "100分"}));
        }
        for (int i = 0; i < wrong; ++i)
            Answer(session, view, WrongAnswer(session));

        Tick(session, 591);
        QVERIFY(session.Running());
        QCOMPARE(view.left, 81);
        QVERIFY(!view.timeUpShown);
        Tick(session, 1);
        QVERIFY(!session.Running());
        QCOMPARE(view.left, 80);
        QVERIFY(!view.clockTimerOn && !view.animationTimerOn);
        QVERIFY(view.timeUpShown);
        QVERIFY(!view.confirmEnabled);
        QVERIFY(view.answerReadOnly);

        const int total = right + wrong;
        if (total == 0) {
            QCOMPARE(view.messages, QStringList{DrillSession::NothingRecorded()});
            QVERIFY(!view.panelShown);
            QVERIFY(view.bottomButtonsEnabled);
            return;
        }
        QVERIFY(view.messages.isEmpty());
        QVERIFY(view.panelShown);
        QVERIFY(!view.bottomButtonsEnabled);
        QCOMPARE(view.resultValues.mid(0, 3),
                 (QStringList{QString::number(total), QString::number(right), QString::number(wrong)}));
    }

    void timeUpLeavesATypedDigit()
    {
        FakeDrillView view;
        view.title = DrillTitle(DrillMode::Competition);
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        session.DigitKey(5);
        Tick(session, 592);
        QCOMPARE(view.answer, QStringLiteral("5"));
        QCOMPARE(session.KeyTyped(u'\r'), TypedKey::Swallowed);
        session.DigitKey(6);
        QCOMPARE(view.answer, QStringLiteral("5"));
        QCOMPARE(session.Tally().TotalCount(), 0);
        session.Start();
        QCOMPARE(view.answer, QStringLiteral("5"));
        QVERIFY(session.Running());
    }

    void resultPanel()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Create();
        session.ShowResults();
        QCOMPARE(view.messages, QStringList{DrillSession::NothingRecorded()});
        QVERIFY(!view.panelShown);

        session.Start();
        Answer(session, view, RightAnswer(session));
        Answer(session, view, RightAnswer(session));
        Answer(session, view, WrongAnswer(session));
        session.ShowResults();
        QVERIFY(view.panelShown);
        QVERIFY(!view.bottomButtonsEnabled);
        QCOMPARE(view.resultValues, (QStringList{"3", "2", "1", "66.6667分"}));

        // The drill goes on behind the panel; its values wait for the next look.
        Answer(session, view, RightAnswer(session));
        QCOMPARE(session.Tally().RightCount(), 3);
        QCOMPARE(view.rightRowsShown, 3);
        QCOMPARE(view.resultValues.front(), QStringLiteral("3"));

        session.CloseResults();
        QVERIFY(!view.panelShown);
        QVERIFY(view.bottomButtonsEnabled);
        QVERIFY(session.Running());

        session.ShowResults();
        session.Restart();
        QVERIFY(!view.panelShown);
        QVERIFY(view.bottomButtonsEnabled);
        QVERIFY(session.Running());
        QCOMPARE(session.Tally().TotalCount(), 0);
    }

    // Reaching a preset's 达标 is celebrated once a drill, at the look that
    // shows it; falling short is not.
    void reachingTheStandardIsCelebrated()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        qint64 now = 0;
        session.SetClock([&now] { return now; });
        session.Create();
        session.SetPreset({6, 0});  // 10 题/分, 90%
        session.Start();
        for (int k = 0; k < 10; ++k) {
            now += 6000;
            Answer(session, view, RightAnswer(session));
        }
        session.ShowResults();
        QCOMPARE(view.celebrations.size(), 1);
        QVERIFY(view.celebrations.first().contains(QStringLiteral("达到了 20以内进位加法 的口算标准")));
        session.CloseResults();
        session.ShowResults();
        QCOMPARE(view.celebrations.size(), 1);

        session.Start();
        for (int k = 0; k < 10; ++k) {
            now += 7000;
            Answer(session, view, RightAnswer(session));
        }
        session.ShowResults();
        QCOMPARE(view.celebrations.size(), 1);
        QVERIFY(view.resultPace.last().startsWith(QStringLiteral("还差一点：速度还差")));
    }

    void closingThePanelAfterTimeUpKeepsTheDrillStopped()
    {
        FakeDrillView view;
        view.title = DrillTitle(DrillMode::Competition);
        DrillSession session(view, QString());
        session.Create();
        session.Start();
        Answer(session, view, RightAnswer(session));
        Tick(session, 592);
        session.CloseResults();
        QVERIFY(!session.Running());
        QVERIFY(!view.confirmEnabled);
        QVERIFY(view.timeUpShown);
    }

    void leaveClearsEverythingAndSavesNothing()
    {
        QTemporaryDir root;
        for (const char *folder : {"Lxdui", "Lxcuo"})
            QVERIFY(QDir(root.path()).mkdir(QLatin1String(folder)));
        FakeDrillView view;
        view.title = DrillTitle(DrillMode::Competition);
        DrillSession session(view, root.path() + QLatin1Char('/'));
        session.Create();
        session.StayOnTop();
        QVERIFY(view.onTop);
        session.Start();
        session.AnimationTick();
        Answer(session, view, RightAnswer(session));
        session.DigitKey(3);

        session.Leave();
        QVERIFY(view.closed);
        QVERIFY(!view.onTop);
        QVERIFY(!session.Running());
        QVERIFY(!view.clockTimerOn && !view.animationTimerOn);
        QVERIFY(!view.confirmEnabled);
        QVERIFY(view.answerReadOnly);
        QVERIFY(!view.runnerShown);
        QVERIFY(!view.timeUpShown);
        QCOMPARE(session.Tally().TotalCount(), 0);
        QVERIFY(session.Tally().RightLines().isEmpty());
        QCOMPARE(view.answer, QString());
        QCOMPARE(view.first, QString());
        QVERIFY(view.messages.isEmpty());
        QVERIFY(QDir(root.path() + QStringLiteral("/Lxdui")).isEmpty());
    }

    void minimise()
    {
        FakeDrillView view;
        DrillSession session(view, QString());
        session.Minimise();
        QCOMPARE(view.minimised, 1);
    }

    // 今日练习 asks the course's problems in the unit's way (marks, stars)
    // and ends after its last with what the course says changed today; a
    // mastered unit is celebrated too. 再练一次 begins a new session.
    void dailyCourseEndsWithWhatChanged_data()
    {
        QTest::addColumn<QString>("mastered");
        QTest::newRow("learning") << QString();
        QTest::newRow("mastered") << QStringLiteral("20以内进位加法 · 9加几 已经掌握了！明天开始练 20以内进位加法 · 8、7、6加几");
    }

    void dailyCourseEndsWithWhatChanged()
    {
        QFETCH(QString, mastered);
        FakeDrillView view;
        view.title = DrillTitle(DrillMode::Daily);
        DrillSession session(view, QString());
        ScriptedCourse course;
        course.problems = {Problem::Of(3, Operator::Addition, 4), Problem::Of(9, Operator::Addition, 5),
                           Problem::Of(9, Operator::Addition, 7)};
        course.ending = {QStringLiteral("新学会 1 个：9+7"), mastered};
        session.Create();
        session.SetDailyCourse(&course);
        QVERIFY(view.presetTitle.contains(QStringLiteral("20以内进位加法")));
        session.Start();
        QStringList shown;
        for (const QString &typed : {QStringLiteral("7"), QStringLiteral("15"), QStringLiteral("16")}) {
            shown << view.shownProblem;
            Answer(session, view, typed);
        }
        QCOMPARE(shown, (QStringList{"3 + 4=", "9 + 5=", "9 + 7="}));
        QCOMPARE(course.answers, (QList<bool>{true, false, true}));
        QVERIFY(!session.Running());
        QVERIFY(view.answerReadOnly);
        QVERIFY(view.panelShown);
        QCOMPARE(view.resultValues.mid(0, 3), (QStringList{"3", "2", "1"}));
        QCOMPARE(view.resultPace.last(), QStringLiteral("新学会 1 个：9+7"));
        QCOMPARE(view.celebrations, mastered.isEmpty() ? QStringList() : QStringList{mastered});

        session.Restart();
        QCOMPARE(course.begun, 2);
        QVERIFY(session.Running());
        QCOMPARE(view.shownProblem, QStringLiteral("3 + 4="));
    }

    void saveRecords_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("rightFolder");
        QTest::addColumn<QString>("wrongFolder");
        QTest::newRow("practice") << DrillTitle(DrillMode::Practice) << "Lxdui" << "Lxcuo";
        QTest::newRow("competition") << DrillTitle(DrillMode::Competition) << "jjdui" << "jjcuo";
        QTest::newRow("今日练习") << DrillTitle(DrillMode::Daily) << "Lxdui" << "Lxcuo";
    }

    void saveRecords()
    {
        QFETCH(QString, title);
        QFETCH(QString, rightFolder);
        QFETCH(QString, wrongFolder);
        QTemporaryDir root;
        for (const char *folder : {"Lxdui", "Lxcuo", "jjdui", "jjcuo"})
            QVERIFY(QDir(root.path()).mkdir(QLatin1String(folder)));
        FakeDrillView view;
        view.title = title;
        DrillSession session(view, root.path() + QLatin1Char('/'));
        session.Create();
        session.SaveRecords();
        QCOMPARE(view.messages, QStringList{DrillSession::NothingRecorded()});
        QCOMPARE(QDir(root.path() + QLatin1Char('/') + rightFolder).entryList(QDir::Files).size(), 0);

        session.Start();
        const ArithProblem p = session.Problem();
        Answer(session, view, RightAnswer(session));
        view.messages.clear();
        session.SaveRecords();
        QCOMPARE(view.messages, QStringList{QStringLiteral("保存完成！")});
        QVERIFY(session.Running());
        QCOMPARE(session.Tally().TotalCount(), 1);

        const QString name = RecordDateText() + QStringLiteral(".txt");
        QFile rightFile(root.path() + QLatin1Char('/') + rightFolder + QLatin1Char('/') + name);
        QVERIFY2(rightFile.open(QIODevice::ReadOnly), qPrintable(rightFile.errorString()));
        QCOMPARE(rightFile.readAll(), (Line(p, QString::number(p.Answer)) + QStringLiteral("\r\n")).toLatin1());
        QFile wrongFile(root.path() + QLatin1Char('/') + wrongFolder + QLatin1Char('/') + name);
        QVERIFY(wrongFile.exists());
        QCOMPARE(wrongFile.size(), 0);
        const QString otherFolder = rightFolder == QLatin1String("Lxdui") ? QStringLiteral("jjdui") : QStringLiteral("Lxdui");
        QVERIFY(QDir(root.path() + QLatin1Char('/') + otherFolder).isEmpty());
    }

    // Every save of a visit keeps what the day's earlier saves wrote, the
    // morning's visit's too; a drill saved again replaces its own lines; a
    // drill never saved leaves no line anywhere.
    void recordsOfAVisit_data()
    {
        QTest::addColumn<bool>("firstDrillSaved");
        QTest::newRow("drill A saved, drill B saved: A and B") << true;
        QTest::newRow("drill A not saved, drill B saved: B alone") << false;
    }

    void recordsOfAVisit()
    {
        QFETCH(bool, firstDrillSaved);
        QTemporaryDir root;
        for (const char *folder : {"Lxdui", "Lxcuo"})
            QVERIFY(QDir(root.path()).mkdir(QLatin1String(folder)));
        const auto answerRight = [](DrillSession &session, FakeDrillView &view, int count) {
            QByteArray lines;
            for (int i = 0; i < count; ++i) {
                lines += Line(session.Problem(), RightAnswer(session)).toLatin1() + "\r\n";
                Answer(session, view, RightAnswer(session));
            }
            return lines;
        };
        FakeDrillView morningView;
        DrillSession morning(morningView, root.path() + QLatin1Char('/'));
        morning.Create();
        morning.Start();
        QByteArray expected = answerRight(morning, morningView, 2);
        morning.SaveRecords();

        FakeDrillView view;
        DrillSession visit(view, root.path() + QLatin1Char('/'));
        visit.Create();
        visit.Start();
        const QByteArray drillA = answerRight(visit, view, 3);
        if (firstDrillSaved) {
            visit.SaveRecords();
            expected += drillA;
        }
        answerRight(visit, view, 1);
        visit.Start();
        QByteArray drillB = answerRight(visit, view, 2);
        visit.SaveRecords();
        drillB += answerRight(visit, view, 1);
        visit.SaveRecords();
        expected += drillB;

        QFile right(root.path() + QStringLiteral("/Lxdui/") + RecordDateText() + QStringLiteral(".txt"));
        QVERIFY2(right.open(QIODevice::ReadOnly), qPrintable(right.errorString()));
        QCOMPARE(right.readAll(), expected);
        QVERIFY(view.errors.isEmpty());
    }

    // 有余数的除法's lines as typed with the 余 key, in the day's GBK file.
    void remainderLinesReachTheFileWhole()
    {
        QTemporaryDir root;
        for (const char *folder : {"Lxdui", "Lxcuo"})
            QVERIFY(QDir(root.path()).mkdir(QLatin1String(folder)));
        FakeDrillView view;
        DrillSession session(view, root.path() + QLatin1Char('/'));
        session.Create();
        session.SetPreset(PresetPick{20, 0});
        session.Start();
        const ::Problem p = session.WholeProblem();
        const QByteArray quotient = QByteArray::number(p.Result.Number.Numerator());
        const QByteArray remainder = QByteArray::number(p.Result.Remainder);
        Answer(session, view, QString::fromLatin1(quotient) + QStringLiteral("……") + QString::fromLatin1(remainder));
        session.SaveRecords();
        QCOMPARE(view.messages, QStringList{QStringLiteral("保存完成！")});
        QFile right(root.path() + QStringLiteral("/Lxdui/") + RecordDateText() + QStringLiteral(".txt"));
        QVERIFY2(right.open(QIODevice::ReadOnly), qPrintable(right.errorString()));
        QCOMPARE(right.readAll(), QByteArray::number(p.Terms[0].Value.Numerator()) + '/' + QByteArray::number(p.Terms[1].Value.Numerator()) + '=' +
                                      quotient + "\xA1\xAD\xA1\xAD" + remainder + "\r\n");
    }

    void saveWithoutFoldersShowsTheError()
    {
        QTemporaryDir root;
        FakeDrillView view;
        DrillSession session(view, root.path() + QLatin1Char('/'));
        session.Create();
        session.Start();
        Answer(session, view, WrongAnswer(session));
        session.SaveRecords();
        QVERIFY(view.messages.isEmpty());
        QCOMPARE(view.errors.size(), 1);
        const QString path = QDir::toNativeSeparators(root.path() + QStringLiteral("/Lxdui/") + RecordDateText() +
                                                      QStringLiteral(".txt"));
        QVERIFY2(view.errors.front().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)),
                 qPrintable(view.errors.front()));
    }

    void anotherTitleSavesNothing()
    {
        QTemporaryDir root;
        FakeDrillView view;
        view.title = QStringLiteral("口算");
        DrillSession session(view, root.path() + QLatin1Char('/'));
        session.Create();
        session.Start();
        Answer(session, view, RightAnswer(session));
        session.SaveRecords();
        QVERIFY(view.messages.isEmpty());
        QVERIFY(view.errors.isEmpty());
        // And it has no clock either.
        QVERIFY(!view.clockTimerOn);
    }
};

QTEST_GUILESS_MAIN(tst_DrillSession)
#include "tst_drillsession.moc"

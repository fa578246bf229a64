#include "FakeReviewView.h"
#include "arithmetic/AnswerText.h"
#include "arithmetic/ProblemTexts.h"
#include "arithmetic/Term.h"
#include "cuotiben/Notebook.h"
#include "cuotiben/ReviewSession.h"
#include "sound/CueNames.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kMonday(2024, 3, 4);

const ArithProblem kNineThrees{9, Operator::Multiplication, 3, 27};
const ArithProblem kFiveLessFive{5, Operator::Subtraction, 5, 0};
const ArithProblem kFifteenAndSeven{15, Operator::Addition, 7, 22};

}  // namespace

class tst_ReviewSession : public QObject {
    Q_OBJECT

private:
    // A notebook of three problems missed on Monday, saved, and a session
    // over it whose clock reads today_.
    struct Fixture {
        QTemporaryDir dir;
        QDate today = kMonday.addDays(1);
        Notebook notebook{Notebook::PathIn(dir.path())};
        FakeReviewView view;
        ReviewSession session{view, notebook, [this] { return today; }};

        Fixture()
        {
            Notebook writer(notebook.Path());
            for (const ArithProblem &problem : {kNineThrees, kFiveLessFive, kFifteenAndSeven})
                writer.NoteMiss(problem, QStringLiteral("1"), MissSource::Practice, kMonday);
            if (writer.Save())
                qFatal("the notebook could not be written");
            session.Open();
        }

        void Answer(const QString &text)
        {
            view.answer = text;
            session.Check();
        }
    };

private slots:
    // The end of a review: the wrong ones are told only when there are some.
    void doneText_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<QString>("text");
        QTest::newRow("some wrong") << 2 << 1 << "今天的错题全部复习完了！\n答对 2 道，答错的 1 道明天再来";
        QTest::newRow("none wrong") << 3 << 0 << "今天的错题全部复习完了！\n答对 3 道";
    }

    void doneText()
    {
        QFETCH(int, right);
        QFETCH(int, wrong);
        QTEST(ReviewSession::DoneText(right, wrong), "text");
    }

    void opensWithWhatIsDue()
    {
        Fixture f;
        QCOMPARE(f.view.errors, QStringList{});
        QCOMPARE(f.view.dueText, QStringLiteral("今天要复习的错题：3 道"));
        QVERIFY(f.view.entryRefreshes > 0);
        QCOMPARE(f.notebook.Entries().size(), 3);
        QCOMPARE(f.session.DueProblems().size(), 3);
        QCOMPARE(f.session.DueProblems().at(2).Result.Number, Exact(22));
        QVERIFY(!f.session.Reviewing());
        f.session.PrintUnconquered();
        QCOMPARE(f.view.printed.size(), 1);
        QCOMPARE(f.view.printed.front().size(), 3);
        QCOMPARE(f.view.printed.front().at(0).Terms[0], Term(9));
    }

    // A notebook of lines an earlier version wrote, then a preset's misses in
    // their whole form: every line is read, reviewed and saved, none lost.
    void oldLinesAndWholeFormsReviewTogether()
    {
        QTemporaryDir dir;
        const QString path = Notebook::PathIn(dir.path());
        const QByteArray old = "2024-03-04\t\xc1\xb7\xcf\xb0\t9*3\t28\t0\t2024-03-05\r\n"
                               "2024-03-04\t\xbf\xbc\xca\xd4\t56/8\t\t3\t\xd2\xd1\xcf\xfb\xc3\xf0\r\n";
        QVERIFY(QDir().mkpath(dir.path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
        file.close();
        Problem remainder = Problem::Of(38, Operator::Division, 5);
        remainder.Result = AnswerValue::WithRemainder(7, 3);
        {
            Notebook writer(path);
            QVERIFY(!writer.Load());
            writer.NoteMiss(remainder, QStringLiteral("7"), MissSource::Practice, kMonday);
            writer.NoteMiss(Problem::Of(7, Operator::Addition, 3).WithBlank(0), QStringLiteral("6"), MissSource::Exam, kMonday);
            QVERIFY(!writer.Save());
        }
        Notebook notebook(path);
        FakeReviewView view;
        ReviewSession session(view, notebook, [] { return kMonday.addDays(1); });
        session.Open();
        QCOMPARE(notebook.Entries().size(), 4);
        session.StartReview();
        view.answer = QStringLiteral("27");
        session.Check();
        QCOMPARE(view.shownWhole.size(), 1);
        QCOMPARE(PrintedText(view.shownWhole.last()), QStringLiteral("38 ÷ 5="));
        view.answer = QStringLiteral("7");
        session.Check();
        QCOMPARE(view.hint, QStringLiteral("商和余数这样写：7……3"));
        QCOMPARE(view.answerKey, AnswerKind::QuotientRemainder);
        session.RemainderKey();
        session.DigitKey(3);
        QCOMPARE(view.answer, QStringLiteral("7……3"));
        session.Check();
        QCOMPARE(view.answerKey, AnswerKind::Whole);
        QCOMPARE(PrintedText(view.shownWhole.last()), QStringLiteral("□ + 3=10"));
        view.answer = QStringLiteral("7");
        session.Check();
        QCOMPARE(session.Tally().RightLines(), (QStringList{"9*3=27", "38/5=7……3", "(7)+3=10"}));
        session.Save();
        const QByteArray saved = TestFiles::ReadAll(path);
        QVERIFY(saved.contains("56/8\t\t3\t\xd2\xd1\xcf\xfb\xc3\xf0\r\n"));
        QVERIFY(saved.contains("\t9*3\t28\t1\t"));
        QVERIFY(saved.contains("\t38/5=\t7\t1\t"));
        QVERIFY(saved.contains("\t()+3=10\t6\t1\t"));
    }

    void nothingDueSaysSoAndStaysUsable()
    {
        Fixture f;
        f.today = kMonday;
        f.session.Open();
        QCOMPARE(f.view.dueText, QStringLiteral("今天要复习的错题：0 道"));
        f.session.StartReview();
        QCOMPARE(f.view.messages, QStringList{QStringLiteral("今天没有要复习的错题！")});
        // Nothing is due yet, but the day's mistakes print.
        f.session.PrintUnconquered();
        QCOMPARE(f.view.printed.size(), 1);
        QCOMPARE(f.view.printed.front().size(), 3);
        QCOMPARE(f.view.messages.size(), 1);
        QVERIFY(!f.session.Reviewing());
        QVERIFY(!f.view.confirmEnabled);
        f.session.DigitKey(4);
        QCOMPARE(f.view.answer, QString());

        // A day later the same window reviews.
        f.today = kMonday.addDays(1);
        f.session.StartReview();
        QVERIFY(f.session.Reviewing());
        QVERIFY(f.view.confirmEnabled);
        QVERIFY(!f.view.answerReadOnly);
    }

    // The drill's keypad rules: a lone zero, and no leading zero from keys.
    void theKeypadBehavesAsTheDrills_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("answer");
        QTest::newRow("0 0 7") << "007" << "7";
        QTest::newRow("7 0") << "70" << "70";
        QTest::newRow("0 alone") << "0" << "0";
        QTest::newRow("0 0") << "00" << "0";
        QTest::newRow("1 0 0 9") << "1009" << "1009";
    }

    void theKeypadBehavesAsTheDrills()
    {
        QFETCH(QString, keys);
        QFETCH(QString, answer);
        Fixture f;
        f.session.StartReview();
        for (const QChar key : keys)
            key == u'0' ? f.session.ZeroKey() : f.session.DigitKey(key.digitValue());
        QCOMPARE(f.view.answer, answer);
        f.session.Clear();
        QCOMPARE(f.view.answer, QString());
    }

    void theKeyboardFilterAndEnter()
    {
        Fixture f;
        for (const QChar c : QStringLiteral("a -+.７"))
            QCOMPARE(f.session.KeyTyped(c), TypedKey::Swallowed);
        QCOMPARE(f.session.KeyTyped(u'5'), TypedKey::ToAnswerBox);
        QCOMPARE(f.session.KeyTyped(u'\b'), TypedKey::ToAnswerBox);
        // Enter before a review starts checks nothing.
        f.view.answer = QStringLiteral("27");
        QCOMPARE(f.session.KeyTyped(u'\r'), TypedKey::Swallowed);
        QVERIFY(f.view.cues.isEmpty());

        f.session.StartReview();
        f.view.answer = QStringLiteral("27");
        QCOMPARE(f.session.KeyTyped(u'\r'), TypedKey::Swallowed);
        QCOMPARE(f.view.cues, QStringList{CueNames::Dui()});
    }

    // Three problems: right (typed 027, kept so), right with a lone 0, wrong.
    void eachAnswerIsHeardListedScheduledAndSaved()
    {
        Fixture f;
        f.session.StartReview();
        QVERIFY(f.view.equalsShown);
        QCOMPARE(f.view.first, QStringLiteral("9"));
        QCOMPARE(f.view.second, QStringLiteral("3"));
        QCOMPARE(f.view.shownSign, int(Operator::Multiplication));

        f.Answer(QStringLiteral("027"));
        QCOMPARE(f.view.cues, QStringList{CueNames::Dui()});
        QCOMPARE(f.view.answer, QString());
        QCOMPARE(f.view.first, QStringLiteral("5"));
        QCOMPARE(f.view.shownSign, int(Operator::Subtraction));
        QCOMPARE(f.view.dueText, QStringLiteral("今天要复习的错题：2 道"));
        QCOMPARE(f.view.savesAsked, 1);
        QVERIFY(f.notebook.HasUnsavedChanges());
        f.session.Save();
        QVERIFY(!f.notebook.HasUnsavedChanges());

        f.session.ZeroKey();
        f.session.Check();
        QCOMPARE(f.view.cues.last(), CueNames::Dui());
        f.Answer(QStringLiteral("1"));
        QCOMPARE(f.view.cues.last(), CueNames::Cuo());

        QCOMPARE(f.session.Tally().RightLines(), (QStringList{"9*3=027", "5-5=0"}));
        QCOMPARE(f.session.Tally().WrongLines(), QStringList{"15+7=1"});
        QVERIFY(!f.session.Reviewing());
        QVERIFY(!f.view.confirmEnabled);
        QVERIFY(f.view.answerReadOnly);
        QVERIFY(!f.view.equalsShown && f.view.shownSign == 0);
        QCOMPARE(f.view.finished, QStringLiteral("今天的错题全部复习完了！\n答对 2 道，答错的 1 道明天再来"));
        QCOMPARE(f.view.feedback, (QStringList{"对了", "对了", "15+7=22"}));
        QCOMPARE(f.view.dueText, QStringLiteral("今天要复习的错题：0 道"));

        f.session.Leave();
        QVERIFY(f.view.closed);
        QCOMPARE(f.view.errors, QStringList{});
        Notebook reader(f.notebook.Path());
        QCOMPARE(reader.Load(), std::nullopt);
        QCOMPARE(reader.Find(kNineThrees)->Due, kMonday.addDays(4));
        QCOMPARE(reader.Find(kFiveLessFive)->Due, kMonday.addDays(4));
        QCOMPARE(reader.Find(kFifteenAndSeven)->Due, kMonday.addDays(2));
        QCOMPARE(reader.Find(kFifteenAndSeven)->Answer, QStringLiteral("1"));
        QCOMPARE(reader.Find(kFifteenAndSeven)->RightCount, 0);
    }

    void anAnswerThatIsNoIntegerChangesNothing()
    {
        Fixture f;
        f.session.StartReview();
        f.Answer(QStringLiteral("2147483648"));
        QCOMPARE(f.view.errors, QStringList{QStringLiteral("'2147483648' is not a valid integer value")});
        QCOMPARE(f.view.answer, QStringLiteral("2147483648"));
        QCOMPARE(f.view.first, QStringLiteral("9"));
        QVERIFY(f.view.cues.isEmpty());
        QVERIFY(!f.notebook.HasUnsavedChanges());
        f.Answer(QString());
        QVERIFY(f.view.cues.isEmpty());
    }

    // A fraction missed in a drill comes back with the 分数 key; what is no
    // fraction is told how it is written and counts nothing, and any equal
    // value is right, since the notebook keeps no unit to ask 约分 for.
    void aFractionProblemIsReviewedByValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("right");
        QTest::newRow("1/0") << QStringLiteral("1/0") << false << false;
        QTest::newRow("1/2/3") << QStringLiteral("1/2/3") << false << false;
        QTest::newRow("unfinished stacked fraction") << QStringLiteral("1/") << false << false;
        QTest::newRow("lowest terms") << QStringLiteral("1/4") << true << true;
        QTest::newRow("not reduced") << QStringLiteral("2/8") << true << true;
        QTest::newRow("full-width") << QStringLiteral("１／４") << true << true;
        QTest::newRow("wrong") << QStringLiteral("3/4") << true << false;
    }

    void aFractionProblemIsReviewedByValue()
    {
        QFETCH(QString, typed);
        QFETCH(bool, answer);
        QFETCH(bool, right);
        QTemporaryDir dir;
        const QString path = Notebook::PathIn(dir.path());
        const Problem quarter = Problem::Of(*Term::Fraction(3, 4), Operator::Division, 3);
        {
            Notebook writer(path);
            writer.NoteMiss(quarter, QStringLiteral("1/3"), MissSource::Practice, kMonday);
            QVERIFY(!writer.Save());
        }
        Notebook notebook(path);
        FakeReviewView view;
        ReviewSession session(view, notebook, [] { return kMonday.addDays(1); });
        session.Open();
        session.StartReview();
        QCOMPARE(view.shownWhole.size(), 1);
        QCOMPARE(view.shownWhole.last(), quarter);
        QCOMPARE(view.answerKey, AnswerKind::Fraction);
        QCOMPARE(session.KeyTyped(u'/'), TypedKey::ToAnswerBox);
        QCOMPARE(session.KeyTyped(u'.'), TypedKey::Swallowed);
        view.answer = typed;
        session.Check();
        QCOMPARE(view.hint, answer ? QString() : HowToWrite(AnswerKind::Fraction));
        QCOMPARE(view.cues.size(), answer ? 1 : 0);
        QCOMPARE(session.Tally().RightCount(), right ? 1 : 0);
        QCOMPARE(notebook.Entries().first().RightCount, right ? 1 : 0);
    }

    // The whole story through the window's logic with a moving clock.
    void reviewsOverTwoWeeksConquerAProblem()
    {
        Fixture f;
        const auto reviewDay = [&f](int daysAfterMonday, const QString &answer) {
            f.today = kMonday.addDays(daysAfterMonday);
            f.session.Open();
            f.session.StartReview();
            while (f.session.Reviewing())
                f.Answer(f.session.Problem().FirstOperand == 9 ? answer
                                                               : QString::number(f.session.Problem().Answer));
            f.session.Save();
        };
        reviewDay(1, QStringLiteral("27"));  // Tuesday: right, due Friday
        QCOMPARE(f.notebook.Find(kNineThrees)->Due, kMonday.addDays(4));
        reviewDay(4, QStringLiteral("27"));  // Friday: right, due the next Friday
        QCOMPARE(f.notebook.Find(kNineThrees)->Due, kMonday.addDays(11));
        reviewDay(11, QStringLiteral("27"));  // conquered
        QVERIFY(f.notebook.Find(kNineThrees)->Conquered());
        QCOMPARE(f.notebook.ConqueredCount(), 3);
        f.today = kMonday.addDays(30);
        f.session.Open();
        QCOMPARE(f.view.dueText, QStringLiteral("今天要复习的错题：0 道"));
        QCOMPARE(f.view.errors, QStringList{});
    }

    void aNotebookThatCannotBeSavedDoesNotStopTheReview()
    {
        Fixture f;
        f.session.StartReview();
        QVERIFY(QFile::remove(f.notebook.Path()));
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("cuoti.zerk")));
        f.Answer(QStringLiteral("27"));
        f.session.Save();
        QCOMPARE(f.view.errors.size(), 1);
        QVERIFY(f.view.errors.first().startsWith(QStringLiteral("Cannot open file")));
        QVERIFY(f.session.Reviewing());
        QCOMPARE(f.view.first, QStringLiteral("5"));
        f.Answer(QStringLiteral("0"));
        QCOMPARE(f.view.first, QStringLiteral("15"));
        // Once per window: the next failing save tries, and says nothing.
        f.session.Save();
        QCOMPARE(f.view.errors.size(), 1);
        QVERIFY(f.notebook.HasUnsavedChanges());
    }

    void aNotebookThatCannotBeReadOpensEmpty()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cuoti.zerk")));
        Notebook notebook(Notebook::PathIn(dir.path()));
        FakeReviewView view;
        ReviewSession session(view, notebook, [] { return kMonday; });
        session.Open();
        QCOMPARE(view.errors.size(), 1);
        QVERIFY(view.errors.first().startsWith(QStringLiteral("Cannot open file")));
        QCOMPARE(view.dueText, QStringLiteral("今天要复习的错题：0 道"));
        session.StartReview();
        QCOMPARE(view.messages, QStringList{ReviewSession::NothingDue()});
    }
};

QTEST_GUILESS_MAIN(tst_ReviewSession)
#include "tst_reviewsession.moc"

#include "arithmetic/AnswerValue.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"
#include "lianxi/DrillRecords.h"
#include "lianxi/RecordListBox.h"
#include "lianxi/TForm2.h"
#include "widgets/FormRefs.h"
#include "storage/GbkText.h"
#include "storage/InstallFolder.h"
#include "widgets/PenCursor.h"
#include "support/AccessibleTree.h"
#include "support/Recorders.h"
#include "support/TestFiles.h"
#include "arithmetic/AnswerText.h"
#include "arithmetic/ProblemText.h"
#include "widgets/AnswerFeedback.h"
#include "widgets/BevelPanel.h"
#include "widgets/ClickLabel.h"
#include "widgets/FlatButton.h"
#include "widgets/AnswerBox.h"
#include "widgets/FractionEntry.h"
#include "widgets/OperandLabel.h"
#include "widgets/PictureBox.h"
#include "widgets/RadioGroup.h"
#include "widgets/Palette.h"
#include "widgets/Runner.h"
#include "widgets/StarBurst.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

namespace {

// Where a label's blue digits show, in window pixels.
struct Ink {
    int top = 0;
    int bottom = -1;
    bool touchesSides = false;

    bool found() const { return bottom >= top; }
    int middle() const { return (top + bottom) / 2; }
};

Ink BlueInk(QWidget *label)
{
    const QImage image = label->grab().toImage();
    Ink ink{image.height(), -1, false};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() - c.red() < 80 || c.blue() - c.green() < 80)
                continue;
            ink.top = qMin(ink.top, y);
            ink.bottom = qMax(ink.bottom, y);
            ink.touchesSides = ink.touchesSides || x == 0 || x == image.width() - 1;
        }
    }
    ink.top += label->y();
    ink.bottom += label->y();
    return ink;
}

// The orders a stacked fraction is filled in.
enum class Entry { Slash, Arrow, DenominatorFirst, WholeFirst };

// 10以内加减: a preset whose problems are a plain a ± b.
const PresetPick kPlainPreset{2, 0};

}  // namespace

class tst_TForm2 : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm2> form_;
    std::unique_ptr<NoticeRecorder> notices_;
    std::unique_ptr<CueRecorder> cues_;

    TForm2 &Form() { return *form_; }

    // The keypad, as a child would press it.
    void PressKeypad(const QString &digits)
    {
        const std::array<FlatButton *, 10> keys{Form().SpeedButton5,  Form().SpeedButton6,  Form().SpeedButton7,
                                                Form().SpeedButton8,  Form().SpeedButton9,  Form().SpeedButton10,
                                                Form().SpeedButton11, Form().SpeedButton12, Form().SpeedButton13,
                                                Form().SpeedButton14};
        for (QChar digit : digits)
            QTest::mouseClick(keys.at(static_cast<std::size_t>(digit.digitValue())), Qt::LeftButton);
    }

    // The user's folder of this run, holding the four record folders.
    QTemporaryDir userFolder_;

    QString UserRoot() const { return userFolder_.path() + QLatin1Char('/'); }

    QString TodaysRecordPath(const char *folder) const
    {
        return InstallFolder::Join(UserRoot(), QLatin1String(folder) + RecordDateText() + QStringLiteral(".txt"));
    }

    void RemoveTodaysRecords() const
    {
        for (const char *folder : {"Lxdui\\", "Lxcuo\\", "jjdui\\", "jjcuo\\"})
            QFile::remove(TodaysRecordPath(folder));
    }

    QByteArray TodaysRecord(const char *folder) const { return TestFiles::ReadAll(TodaysRecordPath(folder)); }

    static QByteArray Joined(const QStringList &lines)
    {
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += line.toLatin1() + "\r\n";
        return bytes;
    }

    // Starts a drill of the preset and draws again until the answer is a
    // fraction that is not whole.
    Problem StartWithAFractionAnswer(int preset)
    {
        Form().SetPreset({preset, 0});
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        while (Form().Session().Current().Expected().Number.IsWhole())
            QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        return Form().Session().Current();
    }

    QLineEdit *FractionBox(FractionEntry::Part part) { return Form().Panel6->Box(part); }

    void TickClock(int times)
    {
        for (int i = 0; i < times; ++i)
            QMetaObject::invokeMethod(Form().Timer2, "timeout");
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        for (const char *folder : {"Lxdui", "Lxcuo", "jjdui", "jjcuo"})
            QVERIFY(QDir(userFolder_.path()).mkpath(QLatin1String(folder)));
    }

    void init()
    {
        RemoveTodaysRecords();
        notices_ = std::make_unique<NoticeRecorder>();
        cues_ = std::make_unique<CueRecorder>();
        form_ = std::make_unique<TForm2>(UserRoot());
        Form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Form()));
    }

    void cleanup()
    {
        form_.reset();
        cues_.reset();
        notices_.reset();
        RemoveTodaysRecords();
    }

    void createdInItsFirstState()
    {
        QCOMPARE(Form2, &Form());
        QCOMPARE(Form().windowTitle(), QStringLiteral("口算练习篇"));
        QCOMPARE(Form().size(), QSize(792, 573));
        QVERIFY(Form().windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(Form().RadioGroup1->selectedText(), QStringLiteral("10"));
        QCOMPARE(Form().RadioGroup2->selectedText(), QStringLiteral("加减"));
        QVERIFY(!Form().SpeedButton15->isEnabled());
        QVERIFY(Form().Edit1->isReadOnly());
        QVERIFY(Form().Panel2->isHidden());
        QVERIFY(Form().Label1->isHidden());
        QVERIFY(Form().Image2->isHidden());
        for (PictureBox *frame : {Form().Image3, Form().Image4, Form().Image5, Form().Image6, Form().Image7,
                                  Form().Image8}) {
            QVERIFY(!frame->isVisible());
            QCOMPARE(frame->mapTo(&Form(), QPoint()), QPoint(672, 40));
        }
        QVERIFY(!Form().Timer1->isActive());
        QVERIFY(!Form().Timer2->isActive());
        QCOMPARE(Form().Timer1->interval(), 50);
        QCOMPARE(Form().Timer2->interval(), 1000);
        QCOMPARE(Form().SpeedButton4->accessibleName(), QStringLiteral("开始"));
        QCOMPARE(Form().SpeedButton4->geometry(), QRect(64, 464, 161, 73));
        QCOMPARE(Form().Edit1->geometry(), QRect(544, 220, 225, 70));
        QCOMPARE(Form().SpeedButton14->geometry(), QRect(8 + 56 * 9, 8, 57, 49));
        QCOMPARE(Form().SpeedButton14->text(), QStringLiteral("9"));
        QCOMPARE(Form().Panel2->geometry(), QRect(104, 56, 617, 401));
        const qint64 pen = PenCursor(Form().devicePixelRatioF()).pixmap().cacheKey();
        QCOMPARE(Form().SpeedButton15->cursor().pixmap().cacheKey(), pen);
        QCOMPARE(Form().Edit1->cursor().pixmap().cacheKey(), pen);
        QCOMPARE(Form().Label12->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(Form().findChild<QLineEdit *>(QStringLiteral("Edit1")), Form().Edit1);
        QCOMPARE(Form().findChild<QTimer *>(QStringLiteral("Timer2")), Form().Timer2);
    }

    void practiceDrillByMouseAndKeyboard()
    {
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        QVERIFY(Form().SpeedButton15->isEnabled());
        QVERIFY(!Form().Edit1->isReadOnly());
        QVERIFY(Form().Image2->isVisible());
        QVERIFY(!Form().Timer2->isActive());

        QStringList right;
        QStringList wrong;
        for (int i = 0; i < 20; ++i) {
            const ArithProblem p = Form().Session().Problem();
            QCOMPARE(Form().Label2->text(), QString::number(p.FirstOperand));
            QCOMPARE(Form().Label3->text(), QString::number(p.SecondOperand));
            const bool answerRight = i % 3 != 0;
            const QString value = QString::number(answerRight ? p.Answer : p.Answer + 1);
            const QString line = QString::number(p.FirstOperand) + QLatin1String(OperatorText(p.OperatorCode)) +
                                 QString::number(p.SecondOperand) + QLatin1Char('=');
            if (i % 2 == 0) {
                PressKeypad(value);
                QCOMPARE(Form().Edit1->text(), value);
                QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
                (answerRight ? right : wrong) << line + value;
            } else {
                // From the keyboard a leading zero stays in the line; stray
                // keys never reach the box.
                QTest::keyClicks(Form().Edit1, QStringLiteral("a 0-") + value + QStringLiteral("x."));
                QCOMPARE(Form().Edit1->text(), QLatin1Char('0') + value);
                QTest::keyClick(Form().Edit1, Qt::Key_Return);
                (answerRight ? right : wrong) << line + QLatin1Char('0') + value;
            }
            QCOMPARE(Form().Edit1->text(), QString());
        }
        QCOMPARE(cues_->asked.size(), 20);
        QVERIFY(notices_->seen.isEmpty());

        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);
        QVERIFY(Form().Panel2->isVisible());
        QCOMPARE(Form().Label7->text(), QStringLiteral("20"));
        QCOMPARE(Form().Label8->text(), QString::number(right.size()));
        QCOMPARE(Form().Label9->text(), QString::number(wrong.size()));
        QCOMPARE(Form().Label11->text(), QStringLiteral("65分"));
        QCOMPARE(Form().ListBox1->count(), right.size());
        QCOMPARE(Form().ListBox2->count(), wrong.size());
        QCOMPARE(Form().ListBox2->line(0), wrong.front());
        for (FlatButton *button : {Form().SpeedButton4, Form().SpeedButton3, Form().SpeedButton2, Form().SpeedButton1})
            QVERIFY(!button->isEnabled());

        QTest::mouseClick(Form().SpeedButton19, Qt::LeftButton);
        QCOMPARE(notices_->texts(), QStringList{QStringLiteral("保存完成！")});
        QCOMPARE(TodaysRecord("Lxdui\\"), Joined(right));
        QCOMPARE(TodaysRecord("Lxcuo\\"), Joined(wrong));

        QTest::mouseClick(Form().SpeedButton16, Qt::LeftButton);
        QVERIFY(Form().Panel2->isHidden());
        QVERIFY(Form().SpeedButton1->isEnabled());
        QVERIFY(Form().Session().Running());
    }

    void answersGivenBehindTheOpenPanelJoinTheList()
    {
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        Form().Edit1->setText(QString::number(Form().Session().Problem().Answer));
        QTest::keyClick(Form().Edit1, Qt::Key_Return);
        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);
        QCOMPARE(Form().ListBox1->count(), 1);
        Form().Edit1->setText(QString::number(Form().Session().Problem().Answer));
        QTest::keyClick(Form().Edit1, Qt::Key_Return);
        QCOMPARE(Form().ListBox1->count(), 2);
        QCOMPARE(Form().Label7->text(), QStringLiteral("1"));
    }

    void theResultPanelCoversTheSignsAndTheRunner()
    {
        Form().setWindowTitle(QStringLiteral("口算竞技篇"));
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        for (int i = 0; i < 3; ++i) {
            Form().Edit1->setText(QString::number(Form().Session().Problem().Answer));
            QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
            QMetaObject::invokeMethod(Form().Timer1, "timeout");
        }
        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);
        const QObjectList stacking = Form().children();
        const qsizetype panel = stacking.indexOf(Form().Panel2);
        for (QWidget *picture : std::initializer_list<QWidget *>{Form().Image9, Form().Image10, Form().Image11,
                                                                 Form().Image12, Form().Runner1})
            QVERIFY2(stacking.indexOf(picture) < panel, qPrintable(picture->objectName()));
    }

    void operandsShareOneLineLevelWithTheSign_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("one digit each") << "7" << "3";
        QTest::newRow("largest operands") << "10000" << "10000";
        QTest::newRow("largest first") << "10000" << "7";
        QTest::newRow("largest second") << "36" << "10000";
    }

    void operandsShareOneLineLevelWithTheSign()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        Form().Label2->setText(first);
        Form().Label3->setText(second);
        const Ink a = BlueInk(Form().Label2);
        const Ink b = BlueInk(Form().Label3);
        QVERIFY(a.found() && b.found());
        // Round digits dip a pixel below the line.
        QVERIFY2(qAbs(a.bottom - b.bottom) <= 1, qPrintable(QStringLiteral("%1 / %2").arg(a.bottom).arg(b.bottom)));
        const int signMiddle = Form().Image9->geometry().center().y();
        QVERIFY2(qAbs(a.middle() - signMiddle) <= 3, qPrintable(QString::number(a.middle())));
        QVERIFY2(qAbs(b.middle() - signMiddle) <= 3, qPrintable(QString::number(b.middle())));
        QVERIFY2(!a.touchesSides && !b.touchesSides, "an operand is cut at its box");
    }

    void eachOperatorShowsItsOwnSign()
    {
        QRadioButton *mixed = Form().RadioGroup2->button(2);
        QTest::mouseClick(mixed, Qt::LeftButton, {}, QPoint(8, mixed->height() / 2));
        QCOMPARE(Form().RadioGroup2->selectedText(), QStringLiteral("综合"));
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        const std::array<std::pair<PictureBox *, QString>, 4> signs{{{Form().Image9, QStringLiteral("加号")},
                                                                      {Form().Image10, QStringLiteral("减号")},
                                                                      {Form().Image11, QStringLiteral("乘号")},
                                                                      {Form().Image12, QStringLiteral("除号")}}};
        QSet<int> seen;
        for (int problem = 0; problem < 400 && seen.size() < 4; ++problem) {
            const int op = static_cast<int>(Form().Session().Problem().OperatorCode);
            QList<PictureBox *> visible;
            for (const auto &[sign, name] : signs) {
                if (sign->isVisible())
                    visible << sign;
            }
            QCOMPARE(visible.size(), 1);
            const auto &[expected, name] = signs.at(static_cast<std::size_t>(op - 1));
            QCOMPARE(visible.front()->objectName(), expected->objectName());
            QCOMPARE(visible.front()->accessibleName(), name);
            seen << op;
            Form().Edit1->setText(QStringLiteral("1"));
            QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        }
        QCOMPARE(seen.size(), 4);
    }

    void answerBoxEditsWithDeleteAndBackspace()
    {
        // The keys as an X11 keyboard sends them, with their control
        // characters as text.
        const auto press = [this](Qt::Key key, char16_t text) {
            QTest::sendKeyEvent(QTest::Click, Form().Edit1, key, QString(QChar(text)), Qt::NoModifier);
        };
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        QTest::keyClicks(Form().Edit1, QStringLiteral("1234"));
        QTest::keyClick(Form().Edit1, Qt::Key_Home);
        press(Qt::Key_Delete, u'\x7f');
        QCOMPARE(Form().Edit1->text(), QStringLiteral("234"));
        QTest::keyClick(Form().Edit1, Qt::Key_End);
        press(Qt::Key_Backspace, u'\b');
        QCOMPARE(Form().Edit1->text(), QStringLiteral("23"));
        QTest::keyClick(Form().Edit1, Qt::Key_Left);
        press(Qt::Key_Delete, u'\x7f');
        QCOMPARE(Form().Edit1->text(), QStringLiteral("2"));
    }

    void pastedTextThatIsNoIntegerIsRefused()
    {
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        const QString shown = Form().Label2->text();
        Form().Edit1->setText(QStringLiteral("1 2"));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QCOMPARE(notices_->seen.size(), 1);
        QCOMPARE(notices_->seen.front().first, Notices::Kind::Error);
        QCOMPARE(notices_->seen.front().second, QStringLiteral("'1 2' is not a valid integer value."));
        QCOMPARE(Form().Edit1->text(), QStringLiteral("1 2"));
        QCOMPARE(Form().Label2->text(), shown);
        QCOMPARE(Form().Session().Tally().TotalCount(), 0);
    }

    // 有余数的除法 chosen with 课本同步: the lists step aside for the
    // preset's name, "余" writes the mark between 商 and 余数, a plain number
    // is told how to write the answer, and the panel gives the 达标 line.
    void presetDrillWithRemainders()
    {
        QList<PresetPick> offered;
        Form().SetPresetChooser([&offered](const PresetPick &current) {
            offered << current;
            return std::optional<PresetPick>(PresetPick{20, 0});
        });
        QVERIFY(!Form().SpeedButton21->isVisible());
        QTest::mouseClick(Form().SpeedButton20, Qt::LeftButton);
        QCOMPARE(offered, QList<PresetPick>{PresetPick{}});
        QCOMPARE(Form().Label20->text(), QStringLiteral("课本同步：有余数的除法"));
        QVERIFY(!Form().RadioGroup1->isEnabled() && !Form().RadioGroup2->isEnabled());
        QVERIFY(Form().SpeedButton21->isVisible());

        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        const Problem asked = Form().Session().Current();
        QCOMPARE(Form().Edit1->accessibleDescription(), SpokenProblem(asked));
        QVERIFY(Form().Edit1->accessibleDescription().endsWith(QStringLiteral("除以%1等于").arg(asked.Terms[1].Value.Numerator())));
        PressKeypad(QString::number(asked.Result.Number.Numerator()));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QVERIFY(notices_->texts().isEmpty());
        QVERIFY(Form().Label26->isVisible());
        QCOMPARE(Form().Label26->text(), QStringLiteral("商和余数这样写：7……3"));
        QCOMPARE(Form().Session().Tally().TotalCount(), 0);

        QTest::mouseClick(Form().SpeedButton21, Qt::LeftButton);
        PressKeypad(QString::number(asked.Result.Remainder));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QCOMPARE(Form().ListBox1->line(0), RecordLine(asked, AnswerText(asked.Result)));
        QVERIFY(Form().ListBox1->line(0).contains(QStringLiteral("……")));
        QVERIFY(!(Form().Session().Current() == asked));

        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);
        QCOMPARE(Form().Label8->text(), QStringLiteral("1"));
        QVERIFY(!Form().Label22->text().isEmpty());
        QVERIFY(Form().Label24->text().endsWith(QStringLiteral(" 题/分")));
        QVERIFY(Form().Label25->text().contains(QStringLiteral("有余数的除法"))
                || Form().Label25->text().startsWith(QStringLiteral("还差一点")));
    }

    // The 分数 key turns the answer box into a stacked fraction, which a
    // child fills in the order taught: "/" or ↓ from the numerator down, a
    // click on the denominator first and ↑ back, or a whole number typed on
    // the keypad before the key as a 带分数's whole part.
    void fractionEnteredStacked_data()
    {
        QTest::addColumn<Entry>("entry");
        QTest::newRow("numerator, /, denominator") << Entry::Slash;
        QTest::newRow("numerator, down, denominator") << Entry::Arrow;
        QTest::newRow("denominator clicked first, up") << Entry::DenominatorFirst;
        QTest::newRow("whole part on the keypad first") << Entry::WholeFirst;
    }

    void fractionEnteredStacked()
    {
        QFETCH(Entry, entry);
        QVERIFY(!Form().SpeedButton24->isVisible());
        const Problem asked = StartWithAFractionAnswer(29);
        QVERIFY(Form().SpeedButton24->isVisible() && !Form().SpeedButton21->isVisible());
        const Exact right = asked.Expected().Number;
        const QString numerator = QString::number(right.Numerator() % right.Denominator());
        const QString denominator = QString::number(right.Denominator());
        const QString whole = QString::number(right.Numerator() / right.Denominator());
        if (entry == Entry::WholeFirst)
            PressKeypad(whole);
        QTest::mouseClick(Form().SpeedButton24, Qt::LeftButton);
        QVERIFY(Form().Panel6->isVisible());
        QCOMPARE(QApplication::focusWidget(), FractionBox(FractionEntry::Part::Numerator));
        QLineEdit *numeratorBox = FractionBox(FractionEntry::Part::Numerator);
        QLineEdit *denominatorBox = FractionBox(FractionEntry::Part::Denominator);
        switch (entry) {
        case Entry::Slash:
            QTest::keyClicks(numeratorBox, numerator + u'/');
            QTest::keyClicks(QApplication::focusWidget(), denominator);
            break;
        case Entry::Arrow:
            QTest::keyClicks(numeratorBox, numerator);
            QTest::keyClick(numeratorBox, Qt::Key_Down);
            QTest::keyClicks(QApplication::focusWidget(), denominator);
            break;
        case Entry::DenominatorFirst:
            QTest::mouseClick(denominatorBox, Qt::LeftButton);
            QTest::keyClicks(QApplication::focusWidget(), denominator);
            QTest::keyClick(denominatorBox, Qt::Key_Up);
            QCOMPARE(QApplication::focusWidget(), numeratorBox);
            PressKeypad(numerator);
            break;
        case Entry::WholeFirst:
            PressKeypad(numerator);
            QTest::keyClick(numeratorBox, Qt::Key_Down);
            PressKeypad(denominator);
            break;
        }
        QCOMPARE(numeratorBox->text(), numerator);
        QCOMPARE(denominatorBox->text(), denominator);
        const QString typed = (entry == Entry::WholeFirst ? whole + u' ' : QString()) + numerator + u'/' + denominator;
        // The box keeps its name; its description says the problem and the
        // fraction as it is said.
        QCOMPARE(Form().Edit1->accessibleName(), QStringLiteral("答案"));
        QVERIFY(Form().Edit1->accessibleDescription().startsWith(SpokenProblem(asked)));
        QVERIFY(Form().Edit1->accessibleDescription().endsWith(SpokenTypedFraction(typed)));
        QVERIFY(SpokenTypedFraction(typed).contains(QStringLiteral("分之")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Form().Session().Tally().RightCount(), 1);
        QCOMPARE(Form().ListBox1->line(0), RecordLine(asked, typed));
        QVERIFY(!Form().Panel6->isVisible());
        QCOMPARE(QApplication::focusWidget(), Form().Edit1);
    }

    // 要约分 from 异分母分数加减 (preset 34) on: the right value not in lowest
    // terms is told so by the box and counts neither way until reduced;
    // before it (preset 29) it is simply right.
    void lowestTermsFromPreset34_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<bool>("wantsLowestTerms");
        QTest::newRow("同分母分数加减") << 29 << false;
        QTest::newRow("异分母分数加减") << 34 << true;
        QTest::newRow("分数乘除") << 35 << true;
    }

    void lowestTermsFromPreset34()
    {
        QFETCH(int, preset);
        QFETCH(bool, wantsLowestTerms);
        const Problem asked = StartWithAFractionAnswer(preset);
        const Exact right = asked.Expected().Number;
        const QString doubled = QStringLiteral("%1/%2").arg(2 * right.Numerator()).arg(2 * right.Denominator());
        QTest::keyClicks(Form().Edit1, doubled);
        QCOMPARE(Form().Edit1->text(), doubled);
        QTest::keyClick(Form().Edit1, Qt::Key_Return);
        QVERIFY(notices_->texts().isEmpty());
        if (wantsLowestTerms) {
            QCOMPARE(Form().Session().Tally().TotalCount(), 0);
            QVERIFY(Form().Label26->isVisible());
            QCOMPARE(Form().Label26->text(), QStringLiteral("要约分"));
            QCOMPARE(Form().Edit1->text(), doubled);
            QVERIFY(Form().Session().Current() == asked);
            QTest::mouseClick(Form().SpeedButton18, Qt::LeftButton);
            QVERIFY(!Form().Label26->isVisible());
            QTest::keyClicks(Form().Edit1, AnswerText(asked.Expected()));
            QTest::keyClick(Form().Edit1, Qt::Key_Return);
        }
        QCOMPARE(Form().Session().Tally().TotalCount(), 1);
        QCOMPARE(Form().Session().Tally().RightCount(), 1);
        QCOMPARE(cues_->asked.size(), 1);
    }

    // What is no answer of the kind is told by the box how it is written and
    // counts for nothing; without a preset the classic filter keeps "." and
    // "/" out of the box.
    void oddAnswersAreToldHowToWrite_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QString>("typed");
        QTest::newRow("no leading point") << 30 << QStringLiteral(".5");
        QTest::newRow("no trailing point") << 30 << QStringLiteral("1.");
        QTest::newRow("two points") << 30 << QStringLiteral("1.2.3");
        QTest::newRow("denominator 0") << 29 << QStringLiteral("1/0");
        QTest::newRow("two bars") << 29 << QStringLiteral("1/2/3");
        QTest::newRow("full-width bar over 0") << 34 << QStringLiteral("１／０");
    }

    void oddAnswersAreToldHowToWrite()
    {
        QFETCH(int, preset);
        QFETCH(QString, typed);
        Form().SetPreset({preset, 0});
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        const Problem asked = Form().Session().Current();
        // As a Chinese keyboard sends them: full-width characters as text.
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, Form().Edit1, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(Form().Edit1->text(), typed);
        QTest::keyClick(Form().Edit1, Qt::Key_Return);
        QVERIFY(notices_->texts().isEmpty());
        QVERIFY(Form().Label26->isVisible());
        QCOMPARE(Form().Label26->text(), HowToWrite(asked.Kind()));
        QCOMPARE(Form().Session().Tally().TotalCount(), 0);
        QVERIFY(cues_->asked.isEmpty());
        QVERIFY(Form().Session().Current() == asked);

        Form().SetPreset({});
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        QVERIFY(!Form().Label26->isVisible());
        QVERIFY(!Form().SpeedButton23->isVisible() && !Form().SpeedButton24->isVisible());
        QTest::mouseClick(Form().SpeedButton18, Qt::LeftButton);
        QTest::keyClicks(Form().Edit1, QStringLiteral("1.5/2"));
        QCOMPARE(Form().Edit1->text(), QStringLiteral("152"));
    }

    // The "." key of a decimal preset writes one point; a fraction preset's
    // answer is saved as typed, "÷" and "×" in GBK.
    void decimalKeyAndFractionRecords()
    {
        Form().SetPreset({33, 0});
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        QVERIFY(Form().SpeedButton23->isVisible());
        PressKeypad(QStringLiteral("0"));
        QTest::mouseClick(Form().SpeedButton23, Qt::LeftButton);
        QTest::mouseClick(Form().SpeedButton23, Qt::LeftButton);
        PressKeypad(QStringLiteral("5"));
        QCOMPARE(Form().Edit1->text(), QStringLiteral("0.5"));

        const Problem asked = StartWithAFractionAnswer(35);
        QTest::mouseClick(Form().SpeedButton18, Qt::LeftButton);
        QTest::keyClicks(Form().Edit1, AnswerText(asked.Expected()));
        QTest::keyClick(Form().Edit1, Qt::Key_Return);
        QTest::mouseClick(Form().SpeedButton2, Qt::LeftButton);
        const QString line = RecordLine(asked, AnswerText(asked.Expected()));
        QVERIFY(line.contains(u'÷') || line.contains(u'×'));
        QCOMPARE(TodaysRecord("Lxdui\\"), *GbkText::Encode(line) + "\r\n");
    }

    // Three terms with brackets and a blank in a term stand in the row in
    // order, the answer box in the blank's place.
    void presetRowPutsTheBoxInTheBlank()
    {
        Form().SetPreset({3, 0});
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        const Problem asked = Form().Session().Current();
        QVERIFY(asked.Blank != Problem::BlankAnswer);
        QVERIFY(Form().Label19->isVisible());
        QVERIFY(Form().Edit1->geometry().right() < Form().Label19->geometry().left());
        QVERIFY(!Form().Label2->isVisible() || Form().Label2->text().isEmpty());
        Form().SetPreset({});
        QVERIFY(Form().RadioGroup1->isEnabled());
        QVERIFY(!Form().Label20->isVisible());
    }

    void emptyDrillHasNothingToShowOrSave()
    {
        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);
        QTest::mouseClick(Form().SpeedButton2, Qt::LeftButton);
        QCOMPARE(notices_->texts(), (QStringList{QStringLiteral("本次学习还没有记录！"), QStringLiteral("本次学习还没有记录！")}));
        QVERIFY(Form().Panel2->isHidden());
    }

    void competitionRunsOutAndShowsTheResults()
    {
        Form().SetPreset(kPlainPreset);
        Form().setWindowTitle(QStringLiteral("口算竞技篇"));
        Form().SpeedButton17->setText(QStringLiteral("重新竞技"));
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        QVERIFY(Form().Timer1->isActive());
        QVERIFY(Form().Timer2->isActive());
        QCOMPARE(Form().Label16->text(), QStringLiteral("还剩 9:52"));
        QCOMPARE(Form().Label17->text(), QStringLiteral("答对 0 道"));
        Form().Edit1->setText(QString::number(Form().Session().Problem().Answer));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QCOMPARE(Form().Label17->text(), QStringLiteral("答对 1 道"));
        QTest::keyClicks(Form().Edit1, QStringLiteral("4"));

        for (int i = 0; i < 3; ++i)
            QMetaObject::invokeMethod(Form().Timer1, "timeout");
        QVERIFY(Form().Image5->isVisible());
        QVERIFY(Form().Image4->isHidden());

        TickClock(591);
        QVERIFY(Form().Session().Running());
        QCOMPARE(Form().Image8->mapTo(&Form(), QPoint()).x(), 81);
        QCOMPARE(Form().Label16->text(), QStringLiteral("还剩 0:01"));
        QVERIFY(Form().Label16->isVisible());
        TickClock(1);
        QVERIFY(!Form().Session().Running());
        QVERIFY(Form().Label16->isHidden());
        QVERIFY(Form().Label17->isHidden());
        QCOMPARE(Form().Image3->mapTo(&Form(), QPoint()).x(), 80);
        QVERIFY(!Form().Timer1->isActive());
        QVERIFY(!Form().Timer2->isActive());
        QVERIFY(Form().Label1->isVisible());
        const QString timeUp = QStringLiteral("哈哈哈，时间到了！快看看你的成绩。");
        QCOMPARE(Form().Label1->text(), timeUp);
        QVERIFY(Form().Label1->fontMetrics().horizontalAdvance(timeUp) <= Form().Label1->contentsRect().width());
        QVERIFY(Form().Label1->fontMetrics().height() <= Form().Label1->contentsRect().height());
        QVERIFY(!Form().SpeedButton15->isEnabled());
        QVERIFY(Form().Edit1->isReadOnly());
        QCOMPARE(Form().Edit1->text(), QStringLiteral("4"));
        QVERIFY(Form().Panel2->isVisible());
        QCOMPARE(Form().Label11->text(), QStringLiteral("100分"));

        QTest::mouseClick(Form().SpeedButton19, Qt::LeftButton);
        QCOMPARE(TodaysRecord("jjcuo\\"), QByteArray());
        QVERIFY(TodaysRecord("jjdui\\").endsWith("\r\n"));
        QVERIFY(!QFile::exists(TodaysRecordPath("Lxdui\\")));

        QTest::mouseClick(Form().SpeedButton17, Qt::LeftButton);
        QVERIFY(Form().Panel2->isHidden());
        QVERIFY(Form().Label1->isHidden());
        QVERIFY(Form().SpeedButton4->isEnabled());
        QCOMPARE(Form().Image3->mapTo(&Form(), QPoint()).x(), 672);
        // A start does not reset the run: the next tick shows the frame after
        // the one on show.
        QVERIFY(Form().Image5->isVisible());
        QMetaObject::invokeMethod(Form().Timer1, "timeout");
        QVERIFY(Form().Image6->isVisible());
        QVERIFY(Form().Timer2->isActive());
        QCOMPARE(Form().Edit1->text(), QStringLiteral("4"));
    }

    // In a preset's drill, after each answer the child sees a mark beside
    // the box for about a second, and after a miss the whole right equation until the next
    // answer; a screen reader hears the same. The next problem is there at
    // once.
    void eachAnswerIsMarkedAndAnnounced_data()
    {
        QTest::addColumn<bool>("right");
        QTest::newRow("right") << true;
        QTest::newRow("wrong") << false;
    }

    void eachAnswerIsMarkedAndAnnounced()
    {
        QFETCH(bool, right);
        Form().SetPreset(kPlainPreset);
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        const ArithProblem p = Form().Session().Problem();
        PressKeypad(QString::number(right ? p.Answer : p.Answer + 1));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);

        QCOMPARE(Form().Edit1->accessibleDescription(), SpokenProblem(Form().Session().Current()));
        AnswerFeedback *feedback = Form().Panel3;
        QVERIFY(feedback->isVisible());
        QCOMPARE(feedback->Right->isVisible(), right);
        QCOMPARE(feedback->Wrong->isVisible(), !right);
        QCOMPARE(Form().findChild<QLabel *>(QStringLiteral("Label14"))->isVisible(), !right);
        if (!right)
            QCOMPARE(feedback->Equation->text(), EquationText(p));
        // A notification in sight, named with what a screen reader says.
        QAccessibleInterface *announcement = AccessibleTree::Of(feedback);
        QCOMPARE(announcement->role(), QAccessible::Notification);
        QVERIFY(AccessibleTree::Shown(announcement));
        QCOMPARE(announcement->text(QAccessible::Name),
                 right ? QStringLiteral("对了") : QStringLiteral("错了，") + SpokenEquation(p));
        QCOMPARE(feedback->Timer1->interval(), 1000);

        QMetaObject::invokeMethod(feedback->Timer1, "timeout");
        QVERIFY(feedback->isHidden());
        QCOMPARE(feedback->Equation->isVisible(), !right);
        PressKeypad(QString::number(Form().Session().Problem().Answer));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QVERIFY(feedback->Equation->isHidden());
        QCOMPARE(announcement->text(QAccessible::Name), QStringLiteral("对了"));
    }

    // In a preset's drill every ten right in a row bring stars over the problem row and one more
    // star beside the track; a miss starts the row again.
    void tenRightInARowEarnAStar()
    {
        Form().SetPreset(kPlainPreset);
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        const auto answer = [this](bool right) {
            const ArithProblem p = Form().Session().Problem();
            Form().Edit1->setText(QString::number(right ? p.Answer : p.Answer + 1));
            QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        };
        for (int i = 0; i < 9; ++i)
            answer(true);
        answer(false);
        for (int i = 0; i < 9; ++i)
            answer(true);
        QVERIFY(!Form().Image15->Playing());
        QVERIFY(Form().Label15->isHidden());
        answer(true);
        QVERIFY(Form().Image15->Playing());
        // The stars cover the answer box but never take its clicks.
        QCOMPARE(QApplication::widgetAt(Form().Edit1->mapToGlobal(Form().Edit1->rect().center())), Form().Edit1);
        QCOMPARE(Form().Label15->text(), QStringLiteral("× 1"));
        for (int i = 0; i < 10; ++i)
            answer(true);
        QCOMPARE(Form().Label15->text(), QStringLiteral("× 2"));
        QCOMPARE(Form().Session().Stars(), 2);
        // A new drill keeps the visit's stars.
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        QCOMPARE(Form().Label15->text(), QStringLiteral("× 2"));
        QVERIFY(Form().Label15->isVisible());
    }

    // In a preset's drill the wrong list keeps each record line and shows
    // its right answer beside it in green; the record file holds the lines alone.
    void wrongAnswersShowTheirRightAnswers()
    {
        Form().SetPreset(kPlainPreset);
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        const ArithProblem p = Form().Session().Problem();
        Form().Edit1->setText(QString::number(p.Answer + 1));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);

        const QString line = RecordLine(p, QString::number(p.Answer + 1));
        QCOMPARE(Form().ListBox2->line(0), line);
        QCOMPARE(Form().ListBox2->correction(0), QString::number(p.Answer));
        QCOMPARE(AccessibleTree::Of(Form().ListBox2)->child(0)->text(QAccessible::Name),
                 line + QStringLiteral("，正确答案 ") + QString::number(p.Answer));
        const QImage list = Form().ListBox2->viewport()->grab().toImage();
        int green = 0;
        for (int y = 0; y < list.height(); ++y)
            for (int x = 0; x < list.width(); ++x)
                green += list.pixelColor(x, y) == Palette::Green ? 1 : 0;
        QVERIFY(green > 0);

        QTest::mouseClick(Form().SpeedButton19, Qt::LeftButton);
        QCOMPARE(TodaysRecord("Lxcuo\\"), Joined({line}));
    }

    // Free practice and competition keep to the two sounds: no mark, no
    // right equation, no stars, nothing beside the track, and lists of
    // record lines alone with no pace beneath them. A preset's drill shows
    // them all, but none of the mark and card beside an open result panel.
    void onlyAPresetDrillShowsRightAnswers_data()
    {
        QTest::addColumn<bool>("preset");
        QTest::newRow("free") << false;
        QTest::newRow("课本同步") << true;
    }

    void onlyAPresetDrillShowsRightAnswers()
    {
        QFETCH(bool, preset);
        Form().SetPreset(preset ? kPlainPreset : PresetPick{});
        Form().setWindowTitle(QStringLiteral("口算竞技篇"));
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        const auto answer = [this](bool right) {
            const ArithProblem p = Form().Session().Problem();
            Form().Edit1->setText(QString::number(right ? p.Answer : p.Answer + 1));
            QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        };
        for (int i = 0; i < 10; ++i)
            answer(true);
        QCOMPARE(Form().Image15->Playing(), preset);
        answer(false);
        TickClock(1);

        QCOMPARE(Form().Panel3->isVisible(), preset);
        QCOMPARE(AccessibleTree::Shown(AccessibleTree::Of(Form().Panel3)), preset);
        QCOMPARE(Form().Panel3->Equation->isVisible(), preset);
        for (QWidget *extra : std::initializer_list<QWidget *>{Form().Image16, Form().Label15, Form().Label16,
                                                              Form().Label17})
            QVERIFY2(extra->isVisible() == preset, qPrintable(extra->objectName()));

        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);
        QVERIFY(Form().Panel3->isHidden() && Form().Panel3->Equation->isHidden());
        QCOMPARE(Form().ListBox2->correction(0).isEmpty(), !preset);
        QCOMPARE(AccessibleTree::Of(Form().ListBox2)->child(0)->text(QAccessible::Name) == Form().ListBox2->line(0),
                 !preset);
        for (QLabel *pace : {Form().Label21, Form().Label22, Form().Label23, Form().Label24})
            QVERIFY2(pace->isVisible() == preset, qPrintable(pace->objectName()));
        // Without the pace the lists reach down where it would stand.
        QCOMPARE(Form().ListBox1->geometry().bottom() > Form().Label21->geometry().top(), !preset);
        QCOMPARE(Form().ListBox2->height(), Form().ListBox1->height());
        // An answer behind the open panel marks nothing beside it.
        answer(false);
        QVERIFY(Form().Panel3->isHidden() && Form().Panel3->Equation->isHidden());
    }

    // A pick from 课本同步 while a drill runs starts a new drill as 开始
    // does: the equals sign or the preset's row, empty lists, no count.
    void pickingMidDrillStartsANewDrill_data()
    {
        QTest::addColumn<bool>("toPreset");
        QTest::newRow("自由练习 after a preset") << false;
        QTest::newRow("a preset during free practice") << true;
    }

    void pickingMidDrillStartsANewDrill()
    {
        QFETCH(bool, toPreset);
        const PresetPick pick = toPreset ? kPlainPreset : PresetPick{};
        Form().SetPreset(toPreset ? PresetPick{} : kPlainPreset);
        Form().SetPresetChooser([pick](const PresetPick &) { return std::optional<PresetPick>(pick); });
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        PressKeypad(QStringLiteral("1"));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);

        QTest::mouseClick(Form().SpeedButton20, Qt::LeftButton);
        QVERIFY(Form().Session().Running());
        QCOMPARE(Form().Session().Pick(), pick);
        QCOMPARE(Form().Session().Tally().TotalCount(), 0);
        QCOMPARE(Form().ListBox1->count() + Form().ListBox2->count(), 0);
        QVERIFY(Form().Panel2->isHidden());
        QVERIFY(Form().SpeedButton3->isEnabled());
        QCOMPARE(Form().Image2->isVisible(), !toPreset);
        QCOMPARE(Form().Label19->isVisible() || Form().Label18->isVisible(), toPreset);
        QVERIFY(!Form().Label2->text().isEmpty() || toPreset);
    }

    // What a screen reader finds with a problem on show and on the result
    // panel: every control named, the signs as images, the answer box
    // telling the problem it answers, the answers as rows.
    void aScreenReaderReadsTheDrillAndItsResults()
    {
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        QStringList unnamed = AccessibleTree::UnnamedControls(AccessibleTree::Of(&Form()));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QCOMPARE(AccessibleTree::Name(Form().Edit1), QStringLiteral("答案"));
        const ArithProblem problem = Form().Session().Problem();
        const bool adding = problem.OperatorCode == Operator::Addition;
        QCOMPARE(AccessibleTree::Of(Form().Edit1)->text(QAccessible::Description),
                 QStringLiteral("%1%2%3等于")
                     .arg(problem.FirstOperand)
                     .arg(adding ? QStringLiteral("加") : QStringLiteral("减"))
                     .arg(problem.SecondOperand));
        QCOMPARE(AccessibleTree::Of(adding ? Form().Image9 : Form().Image10)->role(), QAccessible::Graphic);

        const QString right = QStringLiteral("%1%2%3=%4")
                                  .arg(problem.FirstOperand)
                                  .arg(adding ? QLatin1Char('+') : QLatin1Char('-'))
                                  .arg(problem.SecondOperand)
                                  .arg(problem.Answer);
        PressKeypad(QString::number(problem.Answer));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QTest::mouseClick(Form().SpeedButton3, Qt::LeftButton);
        unnamed = AccessibleTree::UnnamedControls(AccessibleTree::Of(&Form()));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QAccessibleInterface *rightList = AccessibleTree::Of(Form().ListBox1);
        QCOMPARE(rightList->childCount(), 1);
        QCOMPARE(rightList->child(0)->text(QAccessible::Name), right);
        QCOMPARE(AccessibleTree::Of(Form().ListBox2)->childCount(), 0);

        // Between problems there is none to tell.
        QTest::mouseClick(Form().SpeedButton16, Qt::LeftButton);
        QTest::mouseClick(Form().SpeedButton1, Qt::LeftButton);
        QVERIFY(AccessibleTree::Of(Form().Edit1)->text(QAccessible::Description).isEmpty());
    }

    // "▲" and "―" pressed through their press action, as a screen reader
    // presses them, do what a click does.
    void roundControlsPressedByAScreenReader()
    {
        QVERIFY(AccessibleTree::Press(Form().Label12));
        QVERIFY(Form().windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(Form().isVisible());
        QVERIFY(AccessibleTree::Press(Form().Label13));
        QTRY_VERIFY(Form().isMinimized());
    }

    void escapeDoesNotLeave()
    {
        QTest::keyClick(&Form(), Qt::Key_Escape);
        QTest::keyClick(Form().Edit1, Qt::Key_Escape);
        QVERIFY(Form().isVisible());
    }

    void stayingOnTopKeepsTheDrillOpen()
    {
        Form().hide();
        int result = -1;
        bool stillOpen = false;
        bool nativeOnTop = false;
        QTimer::singleShot(0, &Form(), [&] {
            QTest::mouseClick(Form().Label12, Qt::LeftButton);
            QTimer::singleShot(50, &Form(), [&] {
                stillOpen = Form().isVisible();
                nativeOnTop = Form().windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
                QTest::mouseClick(Form().SpeedButton1, Qt::LeftButton);
            });
        });
        result = Form().exec();
        QVERIFY(stillOpen);
        QVERIFY(nativeOnTop);
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(Form().windowHandle() == nullptr ||
                !Form().windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void leavingClearsAndCloses()
    {
        QTest::mouseClick(Form().SpeedButton4, Qt::LeftButton);
        Form().Edit1->setText(QString::number(Form().Session().Problem().Answer));
        QTest::mouseClick(Form().SpeedButton15, Qt::LeftButton);
        QTest::mouseClick(Form().SpeedButton1, Qt::LeftButton);
        QVERIFY(!Form().isVisible());
        QCOMPARE(Form().result(), int(QDialog::Accepted));
        QCOMPARE(Form().ListBox1->count(), 0);
        QCOMPARE(Form().Label2->text(), QString());
        QVERIFY(!QFile::exists(TodaysRecordPath("Lxdui\\")));
    }
};

QTEST_MAIN(tst_TForm2)
#include "tst_tform2.moc"

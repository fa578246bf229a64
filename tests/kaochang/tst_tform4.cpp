#include "arithmetic/AnswerValue.h"
#include "arithmetic/ProblemTexts.h"
#include "kaochang/ExamControls.h"
#include "kaochang/PaperPage.h"
#include "kaochang/ChooseRecipe.h"
#include "kaochang/RecipeStore.h"
#include "kaochang/TForm4.h"
#include "kaochang/TForm9.h"
#include "support/Contrast.h"
#include "support/PrintedSheets.h"
#include "support/Recorders.h"
#include "support/TestFiles.h"

#include "widgets/FormRefs.h"
#include "support/AccessibleTree.h"
#include "widgets/FlatButton.h"
#include "widgets/MathLineEdit.h"
#include "widgets/PictureBox.h"
#include "widgets/RadioGroup.h"
#include "widgets/Shape.h"

#include "arithmetic/AnswerValue.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPrintDialog>
#include <QFile>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const QString kHandInAdvice =
    QStringLiteral("请单击{判卷}，审核自己考试成绩！正确答案在判卷后对错符号的提示信息中！");

void Click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// A radio button takes a click on its indicator.
void Choose(RadioGroup *group, int index)
{
    QRadioButton *radio = group->button(index);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    QCOMPARE(group->itemIndex(), index);
}

// Chinese reaches a box through the input method, committed whole.
void TypeWithInputMethod(QWidget *box, const QString &text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(box, &commit);
}

// Runs steps inside the window's modal loop, as the child works it; a
// guard ends a loop the steps leave running, with -1.
int ExecWith(TForm4 &w, const std::function<void()> &steps)
{
    QTimer::singleShot(0, &w, steps);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &w, [&w] { w.done(-1); });
    guard.start(10000);
    return w.exec();
}

QString RightAnswer(const TForm4 &w, int k)
{
    return AnswerText(w.Room().Paper().at(k).Form.Expected());
}

// The object names of the controls the focus passes through, from the one
// holding it, one key at a time.
QStringList FocusWalk(Qt::Key key, int steps)
{
    QStringList walked;
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), key);
        walked << QApplication::focusWidget()->objectName();
    }
    return walked;
}

QStringList Names(const QString &pattern, int first, int last)
{
    QStringList names;
    for (int n = first; n <= last; ++n)
        names << pattern.arg(n);
    return names;
}

}  // namespace

class tst_TForm4 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void framedWindowWithItsControls();
    void slotTablesInSlotOrder_data();
    void slotTablesInSlotOrder();
    void controlsKeepTheirPlaceWhenResized();
    void widestProblemFitsItsLabel_data();
    void widestProblemFitsItsLabel();
    void fractionsStandStackedOnThePaper_data();
    void fractionsStandStackedOnThePaper();
    void generateFillsTheSlots();
    void theRedNoticeStandsOutFromTheDesk();
    void summaryOnBothPages_data();
    void summaryOnBothPages();
    void sitAndGradeAPaperThroughTheWidgets_data();
    void sitAndGradeAPaperThroughTheWidgets();
    void unusedSlotsAreOutOfSightOfScreenReadersAndTab_data();
    void unusedSlotsAreOutOfSightOfScreenReadersAndTab();
    void tabAndEnterWalkThePaper();
    void aScreenReaderTellsTheControlsApart();
    void closingRefusedWhileTheExamRuns();
    void timeOutThroughTheRealTimers();
    void leaveEndsTheModalLoop();
    void escapeKeepsAGradedPaper();
    void runnerCarriesOnInTheNextRoom();
    void printsTheQuestionsAloneUntilGraded();
    void printsABlankPaperWithItsAnswerPage_data();
    void printsABlankPaperWithItsAnswerPage();
    void theCountdownIsNamedAlsoWhileEmpty();
    void presetPaperWithRemainders();
    void recipePaperGradedAndPrinted();
    void recipeEditorSaysWhatIsAmiss_data();
    void recipeEditorSaysWhatIsAmiss();
    void unreducedFractionsOnAGradedPaper_data();
    void unreducedFractionsOnAGradedPaper();
    void aUnitsNameShowsWhole_data();
    void aUnitsNameShowsWhole();
};

void tst_TForm4::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void tst_TForm4::framedWindowWithItsControls()
{
    TForm4 w;
    QCOMPARE(Form4, &w);
    QCOMPARE(w.windowTitle(), QStringLiteral("考场"));
    const Qt::WindowFlags flags = w.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::FramelessWindowHint));

    QCOMPARE(w.Panel2->geometry(), QRect(8, 32, 705, 529));
    QCOMPARE(w.Panel54->geometry(), QRect(8, 32, 705, 529));
    QCOMPARE(w.Panel3->geometry(), QRect(144, 112, 449, 337));
    QCOMPARE(w.Shape3->geometry(), QRect(24, 8, 600, 20));
    for (PictureBox *frame : {w.Image103, w.Image104, w.Image105, w.Image106, w.Image107, w.Image108}) {
        QCOMPARE(frame->mapTo(w.Panel1, QPoint()), QPoint(608, 0));
        QVERIFY(!frame->isVisible());
    }

    // Page two lies under page one, and the settings panel over both.
    const QObjectList &content = w.Panel1->children();
    QVERIFY(content.indexOf(w.Panel54) < content.indexOf(w.Panel2));
    QVERIFY(content.indexOf(w.Panel2) < content.indexOf(w.Panel3));
    QVERIFY(content.indexOf(w.Label119) < content.indexOf(w.Panel54));

    QVERIFY(!w.SpeedButton6->isEnabled());
    QVERIFY(!w.SpeedButton7->isEnabled());
    QVERIFY(!w.SpeedButton5->isEnabled());
    QVERIFY(w.SpeedButton2->isEnabled());
    QVERIFY(w.SpeedButton4->isEnabled());
    QVERIFY(!w.Panel3->isHidden());
    QVERIFY(w.Panel2->isHidden());
    for (RadioGroup *group : {w.RadioGroup1, w.RadioGroup2, w.RadioGroup3, w.RadioGroup4})
        QCOMPARE(group->itemIndex(), 0);
    QCOMPARE(w.RadioGroup3->count(), 10);
    QCOMPARE(w.RadioGroup3->itemText(9), QStringLiteral("100 题"));
    QCOMPARE(w.RadioGroup4->itemText(5), QStringLiteral("60 分钟"));
    QCOMPARE(w.RadioGroup1->itemText(8), QStringLiteral("10000"));
    QCOMPARE(w.RadioGroup2->itemText(2), QStringLiteral("综合"));
    QCOMPARE(w.Timer1->interval(), 1000);
    QCOMPARE(w.Timer2->interval(), 1000);
    QCOMPARE(w.Timer3->interval(), 50);
}

void tst_TForm4::slotTablesInSlotOrder_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QPoint>("strip");
    QTest::addColumn<bool>("pageOne");
    QTest::newRow("first") << 0 << "Label3" << "Edit1" << "Image1" << QPoint(8, 8) << true;
    QTest::newRow("row 1, column 2") << 5 << "Label8" << "Edit6" << "Image6" << QPoint(472, 32) << true;
    QTest::newRow("last of page one") << 49 << "Label52" << "Edit50" << "Image50" << QPoint(240, 392) << true;
    QTest::newRow("first of page two") << 50 << "Label67" << "Edit52" << "Image51" << QPoint(8, 8) << false;
    QTest::newRow("last") << 99 << "Label116" << "Edit101" << "Image100" << QPoint(240, 392) << false;
}

void tst_TForm4::slotTablesInSlotOrder()
{
    QFETCH(int, slot);
    QFETCH(QString, label);
    QFETCH(QString, edit);
    QFETCH(QString, image);
    QFETCH(QPoint, strip);
    QFETCH(bool, pageOne);
    TForm4 w;
    const auto k = static_cast<std::size_t>(slot);
    QCOMPARE(w.ProblemLabels[k]->objectName(), label);
    QCOMPARE(w.AnswerBoxes[k]->objectName(), edit);
    QCOMPARE(w.Marks[k]->objectName(), image);
    QCOMPARE(ExamControls::StripRect(slot), QRect(strip, QSize(225, 25)));
    QWidget *page = pageOne ? w.Panel2 : w.Panel54;
    for (QWidget *control : {static_cast<QWidget *>(w.ProblemLabels[k]), static_cast<QWidget *>(w.AnswerBoxes[k]),
                             static_cast<QWidget *>(w.Marks[k])})
        QCOMPARE(control->parentWidget(), page);
    QCOMPARE(w.ProblemLabels[k]->geometry(), QRect(strip + QPoint(8, 6), QSize(97, 16)));
    QCOMPARE(w.AnswerBoxes[k]->geometry(), QRect(strip + QPoint(104, 3), QSize(89, 19)));
    QCOMPARE(w.Marks[k]->geometry(), QRect(strip + QPoint(200, 0), QSize(25, 25)));
    QVERIFY(w.Marks[k]->isHidden());
    QVERIFY(!w.AnswerBoxes[k]->hasFrame());
}

void tst_TForm4::controlsKeepTheirPlaceWhenResized()
{
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(1000, 760);
    QTRY_COMPARE(w.Panel1->size(), w.size());
    QCOMPARE(w.SpeedButton1->geometry(), QRect(715, 524, 69, 33));
    QCOMPARE(w.Panel2->geometry(), QRect(8, 32, 705, 529));
}

void tst_TForm4::widestProblemFitsItsLabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fullSize");
    QTest::newRow("small sum") << QStringLiteral("15 + 7=") << true;
    QTest::newRow("largest product") << QStringLiteral("10000 × 10000=") << false;
    QTest::newRow("largest quotient") << QStringLiteral("10000 ÷ 10000=") << false;
}

void tst_TForm4::widestProblemFitsItsLabel()
{
    QFETCH(QString, text);
    QFETCH(bool, fullSize);
    TForm4 w;
    QLabel *label = w.ProblemLabels[0];
    ExamControls::SetProblemText(label, QStringLiteral("10000 × 10000="));
    ExamControls::SetProblemText(label, text);
    QCOMPARE(label->text(), text);
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(text) <= label->width());
    QCOMPARE(label->font().pixelSize() == 13, fullSize);
}

void tst_TForm4::fractionsStandStackedOnThePaper_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<bool>("stacked");
    QTest::newRow("表内除法") << 18 << false;
    QTest::newRow("同分母分数加减") << 29 << true;
    QTest::newRow("分数乘除") << 35 << true;
}

// A fraction paper's problems stand stacked on the strips' whole height, its
// boxes named as the problems are said; a whole-number paper keeps its labels.
void tst_TForm4::fractionsStandStackedOnThePaper()
{
    QFETCH(int, preset);
    QFETCH(bool, stacked);
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    const QRect classic = w.ProblemLabels[4]->geometry();
    w.SetPresetChooser([preset](const PresetPick &) { return std::optional<PresetPick>(PresetPick{preset, 0}); });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(w.SpeedButton11);
    Click(w.SpeedButton3);
    const ExamProblem &problem = w.Room().Paper().at(4);
    QCOMPARE(w.ProblemLabels[4]->text(), problem.Text);
    QCOMPARE(w.ProblemLabels[4]->height() > classic.height(), stacked);
    QCOMPARE(w.ProblemLabels[4]->geometry() == classic, !stacked);
    QCOMPARE(w.AnswerBoxes[4]->accessibleName(),
             QStringLiteral("第5题 ") + (stacked ? SpokenProblem(problem.Form) : problem.Text));
    QCOMPARE(w.AnswerBoxes[4]->accessibleName().contains(QStringLiteral("分之")), stacked);
    // Graded, the right answer beside a crossed box stands stacked too, and
    // is said as it is read.
    Click(w.SpeedButton5);
    QTest::keyClicks(w.AnswerBoxes[4], AnswerText(problem.Form.Expected()) + QLatin1Char('1'));
    QTest::keyClicks(w.Edit51, QStringLiteral("Ming"));
    Click(w.SpeedButton7);
    Click(w.SpeedButton6);
    QCOMPARE(w.Marks[4]->accessibleName(), QStringLiteral("错"));
    QVERIFY(!w.Corrections[4]->isHidden());
    QCOMPARE(w.Corrections[4]->text(), AnswerText(problem.Form.Expected()));
    QCOMPARE(w.Corrections[4]->accessibleName(), QStringLiteral("正确答案 ") + SpokenAnswer(problem.Form.Expected()));
}

void tst_TForm4::generateFillsTheSlots()
{
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(w.SpeedButton2);
    QCOMPARE(notices.texts(), QStringList{QStringLiteral("请先设置考试条件后再出试题！")});
    QVERIFY(!w.Panel3->isHidden());

    Choose(w.RadioGroup3, 9);
    Choose(w.RadioGroup4, 5);
    Click(w.SpeedButton3);
    QVERIFY(w.Panel3->isHidden());
    QCOMPARE(w.Timer1->interval(), 6000);
    QCOMPARE(w.Label119->text(), QStringLiteral("出题完成，请单击{考试}开始考试"));
    QVERIFY(!w.Label119->isHidden());
    QVERIFY(w.SpeedButton5->isEnabled());
    for (int k = 0; k < ExamRoom::SlotCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        QCOMPARE(w.ProblemLabels[slot]->text(), w.Room().Paper().at(k).Text);
        QVERIFY(w.AnswerBoxes[slot]->hasFrame());
    }

    Click(w.SpeedButton4);
    Choose(w.RadioGroup3, 0);
    Click(w.SpeedButton3);
    for (int k = 10; k < ExamRoom::SlotCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        QVERIFY(w.ProblemLabels[slot]->text().isEmpty());
        QVERIFY(!w.AnswerBoxes[slot]->hasFrame());
    }
    QCOMPARE(cues.asked.size(), 2);
}

// Red on the blue desk alone stands at 1.2:1; its outline makes it 3:1 at
// least, measured on the window as painted.
void tst_TForm4::theRedNoticeStandsOutFromTheDesk()
{
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(w.SpeedButton3);
    QVERIFY(w.Label119->isVisible());
    const QImage desk = w.Panel1->grab().toImage();
    const qreal ratio = desk.devicePixelRatio();
    const QRect notice = w.Label119->geometry();
    const double contrast = Contrast::TextEdge(desk.copy(QRect(notice.topLeft() * ratio, notice.size() * ratio)));
    QVERIFY2(contrast >= 3.0, qPrintable(QStringLiteral("%1:1").arg(contrast, 0, 'f', 2)));
}

void tst_TForm4::summaryOnBothPages_data()
{
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("questionText");
    QTest::addColumn<QString>("timeText");
    QTest::addColumn<QString>("operationText");
    QTest::newRow("first choices") << 0 << 0 << 0 << "10 题" << "10 分钟" << "加减";
    QTest::newRow("middle choices") << 4 << 2 << 1 << "50 题" << "30 分钟" << "乘除";
    QTest::newRow("last choices") << 9 << 5 << 2 << "100 题" << "60 分钟" << "综合";
}

void tst_TForm4::summaryOnBothPages()
{
    QFETCH(int, questions);
    QFETCH(int, minutes);
    QFETCH(int, operation);
    QFETCH(QString, questionText);
    QFETCH(QString, timeText);
    QFETCH(QString, operationText);
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Choose(w.RadioGroup3, questions);
    Choose(w.RadioGroup4, minutes);
    Choose(w.RadioGroup2, operation);
    Click(w.SpeedButton3);
    Click(w.SpeedButton5);
    for (QLabel *label : {w.Label54, w.Label61})
        QCOMPARE(label->text(), timeText);
    for (QLabel *label : {w.Label56, w.Label63})
        QCOMPARE(label->text(), questionText);
    for (QLabel *label : {w.Label58, w.Label65}) {
        QCOMPARE(label->text(), operationText);
        QVERIFY(label->fontMetrics().horizontalAdvance(operationText) <= label->width());
    }
}

// 有余数的除法 from 课本同步 on the settings panel: a paper without repeats,
// boxes that take "7...3" and "7余3" and show "7……3", hints with the 商 and
// 余数.
void tst_TForm4::presetPaperWithRemainders()
{
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.SetPresetChooser([](const PresetPick &) { return std::optional<PresetPick>(PresetPick{20, 0}); });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(w.SpeedButton11);
    QCOMPARE(w.Label123->text(), QStringLiteral("课本同步：有余数的除法"));
    QVERIFY(!w.RadioGroup1->isEnabled());
    Choose(w.RadioGroup3, 4);
    Click(w.SpeedButton3);
    const ExamPaper &paper = w.Room().Paper();
    QCOMPARE(paper.size(), 50);
    QSet<QString> texts;
    for (const ExamProblem &problem : paper)
        texts.insert(problem.Text);
    QCOMPARE(texts.size(), 50);
    QVERIFY(w.ProblemLabels[0]->text().contains(QStringLiteral(" ÷ ")));

    Click(w.SpeedButton5);
    QCOMPARE(w.Label58->text(), QStringLiteral("有余数的除法"));
    const auto parts = [&paper](int k) {
        return std::pair{QString::number(paper.at(k).Form.Result.Number.Numerator()), QString::number(paper.at(k).Form.Result.Remainder)};
    };
    const auto [q0, r0] = parts(0);
    const auto [q1, r1] = parts(1);
    const auto [q2, r2] = parts(2);
    QTest::keyClicks(w.AnswerBoxes[0], q0 + QStringLiteral("...") + r0);
    QTest::keyClick(w.AnswerBoxes[0], Qt::Key_Return);
    QCOMPARE(w.AnswerBoxes[0]->text(), q0 + QStringLiteral("……") + r0);
    w.AnswerBoxes[1]->setFocus();
    TypeWithInputMethod(w.AnswerBoxes[1], q1 + QStringLiteral("余") + r1);
    QTest::keyClicks(w.AnswerBoxes[2], q2);
    QTest::keyClicks(w.Edit51, QStringLiteral("Ming"));
    Click(w.SpeedButton7);
    Click(w.SpeedButton6);
    QCOMPARE(w.AnswerBoxes[1]->text(), q1 + QStringLiteral("……") + r1);
    QCOMPARE(w.Marks[0]->accessibleName(), QStringLiteral("对"));
    QCOMPARE(w.Marks[1]->accessibleName(), QStringLiteral("对"));
    QCOMPARE(w.Marks[2]->accessibleName(), QStringLiteral("错"));
    QCOMPARE(w.Marks[2]->toolTip(), q2 + QStringLiteral("……") + r2);
    QCOMPARE(w.Label118->text(), QStringLiteral("4分"));
}

// A fifth-grade teacher's recipe made in the editor and saved: 15 异分母分数
// 加减, 10 小数乘除一位数, 10 乘除法填空 and 5 of the classic 100以内加减,
// shuffled; sat, graded and printed with its answer page, each question in
// its own form.
void tst_TForm4::recipePaperGradedAndPrinted()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("a printer is set up, so the dialog offers it rather than a file");
    NoticeRecorder notices;
    CueRecorder cues;
    QTemporaryDir dir;
    const QString store = RecipeStore::PathIn(dir.path());
    TForm4 w;
    w.SetRecipeChooser([&w, &store](const Recipe &current) { return ChooseRecipe(&w, current, store); });
    w.SetPresetChooser([](const PresetPick &) { return std::optional<PresetPick>(PresetPick{18, 0}); });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QString tooMany;
    QTimer::singleShot(0, &w, [&] {
        auto *editor = qobject_cast<TForm9 *>(QApplication::activeModalWidget());
        if (!editor)
            return;
        editor->UnitBoxes[0]->setCurrentIndex(18);
        editor->CountBoxes[0]->setValue(90);
        tooMany = editor->Label6->text();
        editor->UnitBoxes[0]->setCurrentIndex(34);
        editor->CountBoxes[0]->setValue(15);
        editor->UnitBoxes[1]->setCurrentIndex(33);
        editor->CountBoxes[1]->setValue(10);
        editor->UnitBoxes[2]->setCurrentIndex(19);
        editor->CountBoxes[2]->setValue(10);
        editor->ChoiceBoxes[3]->setCurrentIndex(editor->ChoiceBoxes[3]->findText(QStringLiteral("100")));
        editor->CountBoxes[3]->setValue(5);
        QTest::mouseClick(editor->RadioButton2, Qt::LeftButton, {}, QPoint(8, editor->RadioButton2->height() / 2));
        editor->Edit1->setFocus();
        TypeWithInputMethod(editor->Edit1, QStringLiteral("期中口算 A"));
        QVERIFY(editor->Label6->text().isEmpty());
        Click(editor->SpeedButton4);
        QCOMPARE(editor->ListBox1->count(), 1);
        if (!qEnvironmentVariableIsEmpty("NUMBROOK_SHOTS"))
            editor->grab().save(qEnvironmentVariable("NUMBROOK_SHOTS") + QStringLiteral("/recipe-editor.png"));
        Click(editor->SpeedButton1);
    });
    Click(w.SpeedButton12);
    QVERIFY2(tooMany.startsWith(PresetTitle(*FindPreset(18), 0) + QStringLiteral("只有 ")), qPrintable(tooMany));
    QCOMPARE(w.Label123->text(), QStringLiteral("组卷：期中口算 A"));
    QVERIFY(w.Label224->isVisible() && w.RadioGroup1->isHidden() && !w.RadioGroup3->isEnabled());
    QVERIFY2(w.Label224->text().contains(QStringLiteral("共 40 题，打乱")), qPrintable(w.Label224->text()));
    if (!qEnvironmentVariableIsEmpty("NUMBROOK_SHOTS"))
        w.grab().save(qEnvironmentVariable("NUMBROOK_SHOTS") + QStringLiteral("/recipe-settings.png"));
    const RecipeStore::ReadResult kept = RecipeStore::Read(store);
    QCOMPARE(kept.contents.saved.size(), 1);
    QCOMPARE(kept.contents.last, kept.contents.saved.first());

    Click(w.SpeedButton3);
    const ExamPaper &paper = w.Room().Paper();
    QCOMPARE(paper.size(), 40);
    const auto count = [&paper](AnswerKind kind, bool blank) {
        return std::count_if(paper.cbegin(), paper.cend(), [kind, blank](const ExamProblem &p) {
            return p.Form.Kind() == kind && (p.Form.Blank != Problem::BlankAnswer) == blank;
        });
    };
    QCOMPARE(count(AnswerKind::Fraction, false), 15);
    QCOMPARE(count(AnswerKind::Decimal, false), 10);
    QCOMPARE(count(AnswerKind::Whole, true), 10);
    QCOMPARE(count(AnswerKind::Whole, false), 5);
    QVERIFY(std::any_of(paper.cbegin() + 15, paper.cend(), [](const ExamProblem &p) { return p.Form.Kind() == AnswerKind::Fraction; }));
    Click(w.SpeedButton5);
    QCOMPARE(w.Label58->text(), QStringLiteral("期中口算 A"));
    QStringList answers;
    for (int k = 0; k < paper.size(); ++k) {
        answers << RightAnswer(w, k);
        if (k > 1)
            QTest::keyClicks(w.AnswerBoxes[static_cast<std::size_t>(k)], answers.last());
    }
    QTest::keyClicks(w.AnswerBoxes[0], answers.first() + QStringLiteral("1"));
    TypeWithInputMethod(w.Edit51, QStringLiteral("小明"));
    Click(w.SpeedButton7);
    Click(w.SpeedButton6);
    for (int k = 0; k < paper.size(); ++k)
        QCOMPARE(w.Marks[static_cast<std::size_t>(k)]->accessibleName(), k > 1 ? QStringLiteral("对") : QStringLiteral("错"));
    QCOMPARE(w.Corrections[1]->text(), answers.at(1));

    const QString pdf = dir.filePath(QStringLiteral("期中口算.pdf"));
    notices.seen.clear();
    PrintedSheets::PrintTheNextSheetTo(pdf);
    Click(w.SpeedButton10);
    QVERIFY2(notices.seen.isEmpty(), qPrintable(notices.seen.value(0).second));
    if (!qEnvironmentVariableIsEmpty("NUMBROOK_SHOTS"))
        QFile::copy(pdf, qEnvironmentVariable("NUMBROOK_SHOTS") + QStringLiteral("/recipe-paper.pdf"));
    // Fractions print stacked: their digits read numerator first, no bar.
    const auto digitsInOrder = [](QString text) { return text.replace(u'/', u' ').remove(u' '); };
    const PrintedSheets::Sheet sheet = PrintedSheets::Read(pdf, true);
    QCOMPARE(sheet.answers.size(), answers.size());
    for (int k = 0; k < answers.size(); ++k)
        QCOMPARE(digitsInOrder(sheet.answers.at(k)), digitsInOrder(answers.at(k)));
    QCOMPARE(sheet.questions.size(), paper.size());
    for (int k = 0; k < paper.size(); ++k) {
        const QString printed = digitsInOrder(sheet.questions.at(k));
        QVERIFY2(printed.startsWith(digitsInOrder(paper.at(k).Text)), qPrintable(sheet.questions.at(k)));
        QVERIFY(printed.endsWith(k > 1 ? u"✓" : u"✗"));
    }

    // Remembered for the next visit; 不用组卷 forgets it, the list gives it
    // back, and a unit chosen ends it.
    TForm4 next;
    next.SetRecipe(*kept.contents.last);
    QCOMPARE(next.Label123->text(), QStringLiteral("组卷：期中口算 A"));
    Click(w.SpeedButton4);
    QTimer::singleShot(0, &w, [] {
        if (auto *editor = qobject_cast<TForm9 *>(QApplication::activeModalWidget()))
            Click(editor->SpeedButton2);
    });
    Click(w.SpeedButton12);
    QVERIFY(w.Label123->isHidden() && !w.RadioGroup1->isHidden());
    QCOMPARE(RecipeStore::Read(store).contents.last, std::nullopt);
    QTimer::singleShot(0, &w, [] {
        if (auto *editor = qobject_cast<TForm9 *>(QApplication::activeModalWidget())) {
            editor->ListBox1->setCurrentRow(0);
            Click(editor->SpeedButton1);
        }
    });
    Click(w.SpeedButton12);
    QCOMPARE(w.Room().CurrentRecipe(), kept.contents.saved.first());
    Click(w.SpeedButton11);
    QCOMPARE(w.Label123->text(), QStringLiteral("课本同步：") + PresetTitle(*FindPreset(18), 0));
    QVERIFY(w.Label224->isHidden() && !w.RadioGroup1->isHidden() && w.RadioGroup3->isEnabled());
}

// The editor keeps a recipe it cannot use, and says why: in a notice for
// the teacher's slip, in the error box for a file it must not write over.
void tst_TForm4::recipeEditorSaysWhatIsAmiss_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("said");
    QTest::newRow("saved without a name") << QByteArray() << QString() << 10 << 0 << true
                                          << QStringLiteral("请先写上组卷的名字，例如“期中口算 A”。");
    QTest::newRow("saved with five questions") << QByteArray() << QStringLiteral("A") << 5 << 0 << true
                                               << QStringLiteral("一张卷要有 10 到 100 道题，现在是 5 道。");
    QTest::newRow("taken with 110") << QByteArray() << QString() << 60 << 50 << false
                                    << QStringLiteral("一张卷要有 10 到 100 道题，现在是 110 道。");
    QTest::newRow("saved into a damaged file") << QByteArray("recipe\tA\tsideways\tp 18 0 10\r\n") << QStringLiteral("B")
                                               << 10 << 0 << true << QStringLiteral("第 1 行不是组卷.");
}

void tst_TForm4::recipeEditorSaysWhatIsAmiss()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(bool, save);
    QFETCH(QString, said);
    NoticeRecorder notices;
    QTemporaryDir dir;
    const QString store = RecipeStore::PathIn(dir.path());
    if (!file.isEmpty())
        QVERIFY(TestFiles::WriteAll(store, file));
    TForm9 editor(Recipe{}, store);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.Edit1->setText(name);
    editor.CountBoxes[0]->setValue(first);
    editor.CountBoxes[1]->setValue(second);
    notices.seen.clear();
    Click(save ? editor.SpeedButton4 : editor.SpeedButton1);
    QCOMPARE(notices.seen.size(), 1);
    QCOMPARE(notices.seen.first().first, file.isEmpty() ? Notices::Kind::Notice : Notices::Kind::Error);
    QVERIFY2(notices.seen.first().second.endsWith(said), qPrintable(notices.seen.first().second));
    QVERIFY(editor.isVisible() && !editor.Result());
    if (file.isEmpty())
        QVERIFY(!QFile::exists(store));
    else
        QCOMPARE(TestFiles::ReadAll(store), file);
}

void tst_TForm4::unreducedFractionsOnAGradedPaper_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<bool>("wantsLowestTerms");
    QTest::newRow("同分母分数加减: any equal value") << 29 << false;
    QTest::newRow("异分母分数加减: 要约分") << 34 << true;
}

// The boxes take fractions typed as "a/b" and "1 1/6"; from preset 34 on, the
// right value not in lowest terms is wrong and marked "要约分".
void tst_TForm4::unreducedFractionsOnAGradedPaper()
{
    QFETCH(int, preset);
    QFETCH(bool, wantsLowestTerms);
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.SetPreset({preset, 0});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(w.SpeedButton3);
    const ExamPaper &paper = w.Room().Paper();
    int k = 0;
    while (paper.at(k).Form.Expected().Number.IsWhole())
        ++k;
    const Exact right = paper.at(k).Form.Expected().Number;
    Click(w.SpeedButton5);
    QTest::keyClicks(w.AnswerBoxes[k], QStringLiteral("%1/%2").arg(2 * right.Numerator()).arg(2 * right.Denominator()));
    const int other = k == 0 ? 1 : 0;
    const Exact otherRight = paper.at(other).Form.Expected().Number;
    const QString mixed = otherRight.IsWhole() ? QString::number(otherRight.Numerator())
                          : otherRight.Numerator() > otherRight.Denominator()
                              ? QStringLiteral("%1 %2/%3")
                                    .arg(otherRight.Numerator() / otherRight.Denominator())
                                    .arg(otherRight.Numerator() % otherRight.Denominator())
                                    .arg(otherRight.Denominator())
                              : AnswerText(paper.at(other).Form.Expected());
    QTest::keyClicks(w.AnswerBoxes[other], mixed);
    QTest::keyClicks(w.Edit51, QStringLiteral("Ming"));
    Click(w.SpeedButton7);
    Click(w.SpeedButton6);
    // Typed "a/b" and "1 1/6" stand stacked once the child has moved on.
    QVERIFY(static_cast<MathLineEdit *>(w.AnswerBoxes[k])->ShowsStacked());
    QCOMPARE(static_cast<MathLineEdit *>(w.AnswerBoxes[other])->ShowsStacked(), mixed.contains(u'/'));
    QCOMPARE(w.Marks[other]->accessibleName(), QStringLiteral("对"));
    QCOMPARE(w.Marks[k]->accessibleName(), wantsLowestTerms ? QStringLiteral("错") : QStringLiteral("对"));
    if (wantsLowestTerms) {
        QCOMPARE(w.Marks[k]->toolTip(), QStringLiteral("要约分"));
        QCOMPARE(w.Corrections[k]->text(), QStringLiteral("要约分"));
    }
}

// With a preset chosen, 考试类型 shows the unit's whole title on both pages,
// clear of the score below it.
void tst_TForm4::aUnitsNameShowsWhole_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("choice");
    QTest::newRow("一位数乘整十、整百数和两位数 · 可进位") << 24 << 1;
    QTest::newRow("100以内两位数加减两位数 · 不进位、不退位") << 13 << 0;
    QTest::newRow("两位数乘整十数、整十数乘整十数") << 26 << 0;
    QTest::newRow("有余数的除法") << 20 << 0;
}

void tst_TForm4::aUnitsNameShowsWhole()
{
    QFETCH(int, id);
    QFETCH(int, choice);
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.SetPresetChooser([id, choice](const PresetPick &) { return std::optional<PresetPick>(PresetPick{id, choice}); });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(w.SpeedButton11);
    Choose(w.RadioGroup3, 5);
    Click(w.SpeedButton3);
    Click(w.SpeedButton5);
    const QString title = PresetTitle(*FindPreset(id), choice);
    for (QLabel *label : {w.Label58, w.Label65}) {
        QCOMPARE(label->text(), title);
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(title));
        QVERIFY(label->geometry().bottom() < w.Label118->geometry().top());
        QVERIFY(label->geometry().right() < w.SpeedButton8->geometry().left());
    }
    // On the settings panel too, in two lines left of 组卷.
    QVERIFY2(w.Label123->heightForWidth(w.Label123->width()) <= w.Label123->height(), qPrintable(w.Label123->text()));
    QVERIFY(w.Label123->geometry().right() < w.SpeedButton12->geometry().left());
}

// A paper of the lists keeps the right answers in the marks' hints alone,
// its boxes at their full width; a preset's paper also shows them beside
// the crossed answers.
void tst_TForm4::sitAndGradeAPaperThroughTheWidgets_data()
{
    QTest::addColumn<bool>("preset");
    QTest::newRow("lists") << false;
    QTest::newRow("课本同步") << true;
}

void tst_TForm4::sitAndGradeAPaperThroughTheWidgets()
{
    QFETCH(bool, preset);
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.SetPreset(preset ? PresetPick{2, 0} : PresetPick{});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Choose(w.RadioGroup3, 5);
    if (!preset)
        Choose(w.RadioGroup2, 2);
    Click(w.SpeedButton3);
    Click(w.SpeedButton5);
    QVERIFY(!w.Panel2->isHidden());
    QVERIFY(w.Timer1->isActive() && w.Timer2->isActive() && w.Timer3->isActive());
    QCOMPARE(w.Label54->text(), QStringLiteral("10 分钟"));
    QCOMPARE(w.Label63->text(), QStringLiteral("60 题"));
    QCOMPARE(w.Label65->text(), preset ? QStringLiteral("10以内加减") : QStringLiteral("综合"));
    QVERIFY(!w.SpeedButton8->isHidden());
    const int fullWidth = w.AnswerBoxes[0]->width();

    // Twenty right, twenty wrong, twenty left empty.
    for (int k = 0; k < 40; ++k) {
        const QString typed = k < 20 ? RightAnswer(w, k) : RightAnswer(w, k) + QLatin1Char('1');
        QTest::keyClicks(w.AnswerBoxes[static_cast<std::size_t>(k)], typed);
    }
    Click(w.SpeedButton7);
    QCOMPARE(notices.texts(), QStringList{QStringLiteral("你忘记写名字了")});
    QVERIFY(w.Timer1->isActive());

    Click(w.SpeedButton8);
    QVERIFY(w.Panel2->isHidden());
    QVERIFY(!w.Panel54->isHidden());
    w.Edit102->setFocus();
    QTest::keyClicks(w.Edit102, QStringLiteral("Ming"));
    QCOMPARE(w.Edit51->text(), QStringLiteral("Ming"));
    Click(w.SpeedButton7);
    QCOMPARE(notices.texts().last(), kHandInAdvice);
    QVERIFY(!w.Timer1->isActive() && !w.Timer2->isActive() && !w.Timer3->isActive());
    QVERIFY(w.SpeedButton6->isEnabled());
    // Handed in: an empty box filled now is still empty at 判卷.
    QTest::keyClicks(w.AnswerBoxes[59], RightAnswer(w, 59));
    QCOMPARE(w.AnswerBoxes[59]->text(), QString());

    Click(w.SpeedButton6);
    QVERIFY(!w.SpeedButton6->isEnabled());
    QCOMPARE(w.Label122->text(), QStringLiteral("33.3333分"));
    QCOMPARE(w.Label118->text(), w.Label122->text());
    for (int k = 0; k < 60; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        QVERIFY(!w.Marks[slot]->isHidden());
        QCOMPARE(w.Marks[slot]->toolTip(), RightAnswer(w, k));
        QCOMPARE(w.Marks[slot]->accessibleName(), k < 20 ? QStringLiteral("对") : QStringLiteral("错"));
        QCOMPARE(w.Marks[slot]->picture(), (k < 20 ? w.Image102 : w.Image101)->picture());
        QCOMPARE(w.AnswerBoxes[slot]->palette().color(QPalette::Text), k < 20 ? QColor(0, 0, 255) : QColor(255, 0, 0));
        // Beside every crossed box of a preset's paper its right answer in
        // small green type.
        const bool beside = preset && k >= 20;
        QCOMPARE(!w.Corrections[slot]->isHidden(), beside);
        QCOMPARE(w.AnswerBoxes[slot]->width() < fullWidth, beside);
        if (beside) {
            QCOMPARE(w.Corrections[slot]->text(), RightAnswer(w, k));
            QCOMPARE(w.Corrections[slot]->palette().color(QPalette::WindowText), QColor(0, 128, 0));
            QVERIFY(w.Corrections[slot]->geometry().left() > w.AnswerBoxes[slot]->geometry().right());
            QVERIFY(w.Corrections[slot]->geometry().right() < w.Marks[slot]->geometry().left());
        }
    }
    for (int k = 60; k < ExamRoom::SlotCount; ++k)
        QVERIFY(w.Marks[static_cast<std::size_t>(k)]->isHidden());
    Click(w.SpeedButton9);
    QVERIFY(!w.Panel2->isHidden());
    QVERIFY(!w.Label120->isHidden());

    // A new paper is written on again, in boxes of their full width.
    Click(w.SpeedButton4);
    Click(w.SpeedButton3);
    QTest::keyClicks(w.AnswerBoxes[59], QStringLiteral("5"));
    QCOMPARE(w.AnswerBoxes[59]->text(), QStringLiteral("5"));
    QCOMPARE(w.AnswerBoxes[59]->width(), fullWidth);
    QVERIFY(w.Corrections[59]->isHidden());
}

void tst_TForm4::unusedSlotsAreOutOfSightOfScreenReadersAndTab_data()
{
    QTest::addColumn<int>("countIndex");
    QTest::addColumn<int>("questions");
    QTest::newRow("10") << 0 << 10;
    QTest::newRow("60") << 5 << 60;
    QTest::newRow("100") << 9 << 100;
}

// The strips of unused slots stay on the page, blank; their boxes, empty
// and borderless, are hidden, so nothing can reach them.
void tst_TForm4::unusedSlotsAreOutOfSightOfScreenReadersAndTab()
{
    QFETCH(int, countIndex);
    QFETCH(int, questions);
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Choose(w.RadioGroup3, 9);
    Click(w.SpeedButton3);
    Click(w.SpeedButton4);
    Choose(w.RadioGroup3, countIndex);
    Click(w.SpeedButton3);
    Click(w.SpeedButton5);
    for (int k = 0; k < ExamRoom::SlotCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        QLineEdit *box = w.AnswerBoxes[slot];
        const bool used = k < questions;
        QCOMPARE(box->isVisibleTo(box->parentWidget()), used);
        QCOMPARE(w.ProblemLabels[slot]->isVisibleTo(box->parentWidget()), used);
        QCOMPARE(box->focusPolicy() != Qt::NoFocus, used);
        const QAccessible::State heard = AccessibleTree::Of(box)->state();
        QCOMPARE(heard.focusable, used);
        if (!used)
            QVERIFY(heard.invisible);
    }
}

// Tab, and Enter in an answer box, go from one answer to the next and then
// to the page's name box, passing the hidden page and the unused slots.
void tst_TForm4::tabAndEnterWalkThePaper()
{
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    Choose(w.RadioGroup3, 5);
    Click(w.SpeedButton3);
    Click(w.SpeedButton5);
    w.AnswerBoxes[0]->setFocus();
    QCOMPARE(FocusWalk(Qt::Key_Tab, 51), Names(QStringLiteral("Edit%1"), 2, 51) << QStringLiteral("Edit1"));
    QCOMPARE(FocusWalk(Qt::Key_Return, 50), Names(QStringLiteral("Edit%1"), 2, 51));

    Click(w.SpeedButton8);
    w.AnswerBoxes[50]->setFocus();
    QCOMPARE(FocusWalk(Qt::Key_Tab, 11), Names(QStringLiteral("Edit%1"), 53, 61) << QStringLiteral("Edit102")
                                                                                   << QStringLiteral("Edit52"));
    QCOMPARE(FocusWalk(Qt::Key_Enter, 10), Names(QStringLiteral("Edit%1"), 53, 61) << QStringLiteral("Edit102"));
}

// Every control on show named, the two 设置 buttons apart, the marks
// images with the right answer as their description.
void tst_TForm4::aScreenReaderTellsTheControlsApart()
{
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto unnamed = [&w] { return AccessibleTree::UnnamedControls(AccessibleTree::Of(&w)).join(", "); };
    QCOMPARE(unnamed(), QString());
    QCOMPARE(w.SpeedButton3->text(), QStringLiteral("设置"));
    QCOMPARE(AccessibleTree::Name(w.SpeedButton3), QStringLiteral("设置考试条件"));
    QCOMPARE(AccessibleTree::Name(w.SpeedButton4), QStringLiteral("设置"));

    Click(w.SpeedButton3);
    Click(w.SpeedButton5);
    QCOMPARE(unnamed(), QString());
    TypeWithInputMethod(w.Edit51, QStringLiteral("小明"));
    QTest::keyClicks(w.AnswerBoxes[0], RightAnswer(w, 0));
    Click(w.SpeedButton7);
    Click(w.SpeedButton6);
    QCOMPARE(unnamed(), QString());
    for (int k = 0; k < 2; ++k) {
        QAccessibleInterface *mark = AccessibleTree::Of(w.Marks[static_cast<std::size_t>(k)]);
        QCOMPARE(mark->role(), QAccessible::Graphic);
        QCOMPARE(mark->text(QAccessible::Name), k == 0 ? QStringLiteral("对") : QStringLiteral("错"));
        QCOMPARE(mark->text(QAccessible::Description), RightAnswer(w, k));
    }
}

void tst_TForm4::closingRefusedWhileTheExamRuns()
{
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(w.SpeedButton3);
    Click(w.SpeedButton5);
    const QString refusal = QStringLiteral("考试进行中，请先交卷！");
    QVERIFY(!w.close());
    Click(w.SpeedButton1);
    QVERIFY(w.isVisible());
    QCOMPARE(notices.texts(), (QStringList{refusal, refusal}));

    TypeWithInputMethod(w.Edit51, QStringLiteral("小明"));
    QCOMPARE(w.Edit102->text(), QStringLiteral("小明"));
    Click(w.SpeedButton7);
    QVERIFY(w.close());
    QVERIFY(!w.isVisible());
    QVERIFY(!w.Panel3->isHidden());
    QVERIFY(!w.SpeedButton6->isEnabled());
}

void tst_TForm4::timeOutThroughTheRealTimers()
{
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Click(w.SpeedButton3);
    Click(w.SpeedButton5);
    // The runner's six hundred steps without waiting ten minutes.
    w.Timer1->setInterval(0);
    QTRY_COMPARE_WITH_TIMEOUT(notices.texts().size(), 2, 20000);
    QCOMPARE(notices.texts(), (QStringList{QStringLiteral("考试结束！"), kHandInAdvice}));
    QCOMPARE(w.Image103->mapTo(w.Panel1, QPoint()).x(), ExamRoom::RunnerEnd);
    QCOMPARE(w.Image108->mapTo(w.Panel1, QPoint()).x(), ExamRoom::RunnerEnd);
    QVERIFY(!w.Timer1->isActive() && !w.Timer2->isActive() && !w.Timer3->isActive());
    QVERIFY(w.SpeedButton7->isEnabled());
    QVERIFY(!w.SpeedButton6->isEnabled());
    QVERIFY(!w.close());

    // An answer written after the time is up never reaches the paper; the
    // name still can, for 交卷.
    QTest::keyClicks(w.AnswerBoxes[0], RightAnswer(w, 0));
    QCOMPARE(w.AnswerBoxes[0]->text(), QString());
    QTest::keyClicks(w.Edit51, QStringLiteral("Hua"));
    Click(w.SpeedButton7);
    Click(w.SpeedButton6);
    QCOMPARE(w.Label118->text(), QStringLiteral("0分"));
    QVERIFY(w.close());
}

void tst_TForm4::leaveEndsTheModalLoop()
{
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    const int result = ExecWith(w, [&w] {
        Click(w.SpeedButton3);
        Click(w.SpeedButton5);
        Click(w.SpeedButton1);
        QTest::keyClicks(w.Edit51, QStringLiteral("A"));
        Click(w.SpeedButton7);
        Click(w.SpeedButton1);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(notices.texts(), (QStringList{QStringLiteral("考试进行中，请先交卷！"), kHandInAdvice}));
}

void tst_TForm4::escapeKeepsAGradedPaper()
{
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    QString scoreAfterEscape;
    bool openAfterEscape = false;
    const int result = ExecWith(w, [&] {
        Click(w.SpeedButton3);
        Click(w.SpeedButton5);
        QTest::keyClicks(w.AnswerBoxes[0], RightAnswer(w, 0));
        QTest::keyClicks(w.Edit51, QStringLiteral("A"));
        Click(w.SpeedButton7);
        Click(w.SpeedButton6);
        QTest::keyClick(w.AnswerBoxes[1], Qt::Key_Escape);
        QTest::keyClick(&w, Qt::Key_Escape);
        QCoreApplication::processEvents();
        openAfterEscape = w.isVisible();
        scoreAfterEscape = w.Label118->text();
        Click(w.SpeedButton1);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(openAfterEscape);
    QCOMPARE(scoreAfterEscape, QStringLiteral("10分"));
    QCOMPARE(notices.texts(), QStringList{kHandInAdvice});
}

void tst_TForm4::runnerCarriesOnInTheNextRoom()
{
    NoticeRecorder notices;
    CueRecorder cues;
    {
        TForm4 w;
        w.show();
        // Wherever earlier rooms left the run, it comes to frame 2 within
        // a cycle; one tick more shows frame 3.
        for (int tick = 0; tick < 7 && !w.Image107->isVisible(); ++tick)
            QMetaObject::invokeMethod(w.Timer3, "timeout");
        QVERIFY(w.Image107->isVisible());
        QMetaObject::invokeMethod(w.Timer3, "timeout");
        QVERIFY(w.Image106->isVisible());
    }
    TForm4 next;
    next.show();
    QMetaObject::invokeMethod(next.Timer3, "timeout");
    for (PictureBox *frame : {next.Image108, next.Image107, next.Image106, next.Image104, next.Image103})
        QVERIFY2(!frame->isVisible(), qPrintable(frame->objectName()));
    QVERIFY(next.Image105->isVisible());
}


// Before 判卷 the sheet holds no answer a child could copy; after it, the
// child's own answers with their marks, the name and the score, then the
// answers.
void tst_TForm4::printsTheQuestionsAloneUntilGraded()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("a printer is set up, so the dialog offers it rather than a file");
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.SpeedButton10->text(), QStringLiteral("打印试卷"));
    QVERIFY(!w.SpeedButton10->isEnabled());
    Click(w.SpeedButton3);
    QVERIFY(w.SpeedButton10->isEnabled());

    QTemporaryDir dir;
    const QString paper = dir.filePath(QStringLiteral("试卷.pdf"));
    PrintedSheets::PrintTheNextSheetTo(paper);
    Click(w.SpeedButton10);
    QVERIFY(notices.seen.isEmpty());
    QStringList questions;
    QStringList marked;
    QStringList answers;
    for (const ExamProblem &problem : w.Room().Paper()) {
        questions << PrintedSheets::AsPrinted(problem.Text);
        answers << QString::number(problem.Answer);
        // The first answer right, the second wrong, the rest left empty.
        const QString typed = marked.isEmpty() ? answers.last() : marked.size() == 1 ? QStringLiteral("-1") : QString();
        marked << QStringLiteral("%1 %2 %3").arg(questions.last(), typed, marked.isEmpty() ? u"✓" : u"✗").simplified();
    }
    const PrintedSheets::Sheet unmarked = PrintedSheets::Read(paper);
    QCOMPARE(unmarked.questions, questions);
    QCOMPARE(unmarked.answers, QStringList());

    Click(w.SpeedButton5);
    QVERIFY(!w.SpeedButton10->isEnabled());
    QTest::keyClicks(w.AnswerBoxes[0], answers.first());
    QTest::keyClicks(w.AnswerBoxes[1], QStringLiteral("-1"));
    TypeWithInputMethod(w.Edit51, QStringLiteral("小明"));
    Click(w.SpeedButton7);
    Click(w.SpeedButton6);
    const QString graded = dir.filePath(QStringLiteral("判过的试卷.pdf"));
    PrintedSheets::PrintTheNextSheetTo(graded);
    Click(w.SpeedButton10);
    const PrintedSheets::Sheet sheet = PrintedSheets::Read(graded);
    QCOMPARE(sheet.questions, marked);
    QCOMPARE(sheet.answers, answers);
    const QString firstPage = PrintedSheets::Pages(graded).first();
    QVERIFY2(firstPage.contains(QStringLiteral("小明")) && firstPage.contains(w.Label118->text()), qPrintable(firstPage));

    // A folder that is not there gives the error box.
    const QString nowhere = dir.filePath(QStringLiteral("missing/试卷.pdf"));
    PrintedSheets::PrintTheNextSheetTo(nowhere);
    Click(w.SpeedButton10);
    QCOMPARE(notices.seen.last().first, Notices::Kind::Error);
    QCOMPARE(notices.seen.last().second,
             QStringLiteral("Cannot print to \"%1\". No such file or directory.").arg(nowhere));
}

void tst_TForm4::printsABlankPaperWithItsAnswerPage_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("a teacher's preset paper with its answer page") << 24 << true;
    QTest::newRow("a preset paper as it is sat") << 24 << false;
    QTest::newRow("the lists' paper as it always printed") << 0 << false;
}

// A teacher prints a blank paper for the class and its answers for herself:
// the questions for each child, unmarked and without a score, and the answers
// once at the end. Only a preset's paper offers them.
void tst_TForm4::printsABlankPaperWithItsAnswerPage()
{
    QFETCH(int, preset);
    QFETCH(bool, ticked);
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("a printer is set up, so the dialog offers it rather than a file");
    NoticeRecorder notices;
    CueRecorder cues;
    TForm4 w;
    w.SetPreset(PresetPick{preset, 0});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Choose(w.RadioGroup3, 4);
    Click(w.SpeedButton3);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("全班.pdf"));
    bool offered = false;
    PrintedSheets::WhenTheDialogShows([&](QPrintDialog &dialog) {
        auto *answerPage = dialog.findChild<QCheckBox *>(QStringLiteral("CheckBox1"));
        offered = answerPage != nullptr;
        if (answerPage) {
            QVERIFY(answerPage->isVisible());
            QCOMPARE(answerPage->text(), QStringLiteral("附答案页"));
            QVERIFY(!answerPage->isChecked());
            answerPage->setChecked(ticked);
        }
        dialog.findChild<QLineEdit *>(QStringLiteral("filename"))->setText(pdf);
        dialog.findChild<QSpinBox *>(QStringLiteral("copies"))->setValue(2);
        dialog.accept();
    });
    Click(w.SpeedButton10);
    QVERIFY(notices.seen.isEmpty());
    QCOMPARE(offered, preset != 0);
    if (!qEnvironmentVariableIsEmpty("NUMBROOK_SHOTS") && ticked)
        QFile::copy(pdf, qEnvironmentVariable("NUMBROOK_SHOTS") + QStringLiteral("/blank-paper.pdf"));

    QStringList questions;
    QStringList answers;
    for (const ExamProblem &problem : w.Room().Paper()) {
        questions << PrintedSheets::AsPrinted(problem.Text);
        answers << AnswerText(problem.Form.Expected());
    }
    const QStringList pages = PrintedSheets::Pages(pdf);
    for (const QString &page : pages) {
        for (const QString &mark : {QStringLiteral("✓"), QStringLiteral("✗"), QStringLiteral("成绩")})
            QVERIFY2(!page.contains(mark), qPrintable(page));
    }
    const PrintedSheets::Sheet sheet = PrintedSheets::Read(pdf);
    QCOMPARE(sheet.questions, questions + questions);
    QCOMPARE(sheet.answers, ticked ? answers : QStringList());
    QCOMPARE(pages.last().contains(QStringLiteral("口算练习答案")), ticked);
}

void tst_TForm4::theCountdownIsNamedAlsoWhileEmpty()
{
    TForm4 w;
    w.show();
    QVERIFY(w.Label2->text().isEmpty());
    QCOMPARE(AccessibleTree::Name(w.Label2), QStringLiteral("剩余时间"));
}

QTEST_MAIN(tst_TForm4)
#include "tst_tform4.moc"

#include "chengzhang/TForm8.h"
#include "cuotiben/Notebook.h"
#include "cuotiben/TForm5.h"
#include "jiqiao/TForm3.h"
#include "kebiao/TForm6.h"
#include "kaochang/TForm4.h"
#include "lianxi/TForm2.h"
#include "sound/CueNames.h"
#include "widgets/FormRefs.h"
#include "widgets/PenCursor.h"
#include "shell/TForm1.h"
#include "shell/TForm7.h"
#include "storage/ChildList.h"
#include "storage/HistoryStore.h"
#include "storage/InstallFolder.h"
#include "support/AccessibleTree.h"
#include "support/Recorders.h"
#include "widgets/FlatButton.h"
#include "widgets/PictureBox.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

int VisibleFrames(const TForm1 &form)
{
    int n = 0;
    for (const PictureBox *f : {form.Image3, form.Image4, form.Image5, form.Image6, form.Image7, form.Image8})
        n += f->isVisible() ? 1 : 0;
    return n;
}

// A module window opened by a test is closed as soon as its modal loop runs.
void CloseModalWindowSoon()
{
    QTimer::singleShot(0, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
}

// Counts the requests to end the program that reach the application.
class QuitCounter : public QObject {
public:
    int quits = 0;

    QuitCounter() { qApp->installEventFilter(this); }
    ~QuitCounter() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == qApp && event->type() == QEvent::Quit) {
            ++quits;
            return true;
        }
        return false;
    }
};

// Each window of the program, new, its files in folder.
std::unique_ptr<QWidget> NewWindow(const QString &name, const QString &folder, ChildList &children,
                                   HistoryStore &history)
{
    if (name == QLatin1String("TForm1"))
        return std::make_unique<TForm1>();
    if (name == QLatin1String("TForm2"))
        return std::make_unique<TForm2>(folder);
    if (name == QLatin1String("TForm3"))
        return std::make_unique<TForm3>(folder);
    if (name == QLatin1String("TForm4"))
        return std::make_unique<TForm4>();
    if (name == QLatin1String("TForm5"))
        return std::make_unique<TForm5>(folder + QStringLiteral("notebook.txt"), [] { return QDate(2026, 3, 7); });
    if (name == QLatin1String("TForm6"))
        return std::make_unique<TForm6>(PresetPick{});
    if (name == QLatin1String("TForm7"))
        return std::make_unique<TForm7>(children, InstallFolder::Current());
    GrowthSources sources;
    sources.store = &history;
    sources.today = [] { return QDate(2026, 3, 7); };
    sources.notebookState = [] { return NotebookState{}; };
    sources.sendToNotebook = [](const Problem &, HistoryOrigin) -> std::optional<QString> { return std::nullopt; };
    return std::make_unique<TForm8>(sources);
}

}  // namespace

class tst_TForm1 : public QObject {
    Q_OBJECT

private slots:
    // The windows the menu opens find the user's files in a folder of the
    // test's own.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void layout()
    {
        TForm1 form;
        QCOMPARE(form.size(), QSize(792, 545));
        QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(form.SpeedButton2->geometry(), QRect(296, 32, 161, 153));
        QCOMPARE(form.SpeedButton1->geometry(), QRect(656, 424, 113, 89));
        QCOMPARE(form.SpeedButton1->text(), QStringLiteral("离开"));
        QCOMPARE(form.Image2->geometry(), QRect(288, 192, 177, 177));
        QCOMPARE(form.Image3->mapTo(&form, QPoint()), QPoint(32, 40));
        QCOMPARE(form.Timer1->interval(), 60);
        QVERIFY(form.Timer1->isActive());
        QCOMPARE(Form1, &form);
        for (const char *name : {"Image1", "SpeedButton1", "SpeedButton8", "Image2", "Image8", "Timer1"})
            QVERIFY2(form.findChild<QObject *>(name), name);
    }

    // A name finds one control, in every window; and a screen reader finds
    // every control on show named.
    void everyWindowNamesEachControlOnce_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *window : {"TForm1", "TForm2", "TForm3", "TForm4", "TForm5", "TForm6", "TForm7", "TForm8"})
            QTest::newRow(window) << QString::fromLatin1(window);
    }

    void everyWindowNamesEachControlOnce()
    {
        QFETCH(QString, window);
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        ChildList children(ChildList::PathIn(folder));
        HistoryStore history(HistoryStore::PathIn(folder));
        NoticeRecorder notices;
        const std::unique_ptr<QWidget> form = NewWindow(window, folder, children, history);
        QStringList twice;
        QSet<QString> seen;
        for (const QObject *child : form->findChildren<QObject *>()) {
            const QString name = child->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
                continue;
            if (seen.contains(name))
                twice << name;
            seen << name;
        }
        QVERIFY2(twice.isEmpty(), qPrintable(twice.join(", ")));

        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QStringList unnamed = AccessibleTree::UnnamedControls(AccessibleTree::Of(form.get()));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    void tooltipsOnExactlyNineControls()
    {
        TForm1 form;
        QSet<QString> withTip;
        for (const QWidget *w : form.findChildren<QWidget *>()) {
            if (!w->toolTip().isEmpty())
                withTip << w->objectName();
        }
        QCOMPARE(withTip, (QSet<QString>{"SpeedButton1", "SpeedButton6", "SpeedButton7", "SpeedButton8", "SpeedButton9",
                                         "SpeedButton10", "SpeedButton11", "SpeedButton12", "Image2"}));
        QCOMPARE(form.SpeedButton6->toolTip(), QString("我在最前面！"));
        QCOMPARE(form.SpeedButton9->toolTip(), QString("错题本"));
        QCOMPARE(form.SpeedButton10->toolTip(), QString("成长记录"));
    }

    void aScreenReaderFindsEveryControlNamed()
    {
        TForm1 form;
        form.Timer1Timer();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QStringList unnamed = AccessibleTree::UnnamedControls(AccessibleTree::Of(&form));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QCOMPARE(AccessibleTree::Of(form.Image1)->role(), QAccessible::Graphic);
    }

    // A screen reader's press reaches the menu past the module's modal
    // window. None may open a second module, end the program or change
    // the menu while one is open.
    void menuButtonsPressedUnderAnOpenModuleDoNothing()
    {
        TForm1 form;
        form.show();
        CueRecorder cues;
        NoticeRecorder notices;
        QuitCounter quits;
        bool drillWasStillUp = false;
        bool allPressed = true;
        // A module opened over the drill is counted and closed again, so a
        // fault fails here instead of waiting for ever.
        QWidget *drill = nullptr;
        int modulesOverTheDrill = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (drill && modal && modal != drill) {
                ++modulesOverTheDrill;
                modal->close();
            }
        });
        closer.start(20);
        QTimer::singleShot(0, &form, [&] {
            QTimer::singleShot(0, [&] {
                drill = Form2;
                for (FlatButton *button : {form.SpeedButton1, form.SpeedButton2, form.SpeedButton3, form.SpeedButton4,
                                           form.SpeedButton5, form.SpeedButton6, form.SpeedButton7})
                    allPressed = AccessibleTree::Press(button) && allPressed;
                QTest::qWait(400);  // a pressed button clicks 100 ms later
                drillWasStillUp = Form2 && QApplication::activeModalWidget() == Form2 && form.isVisible();
                CloseModalWindowSoon();
            });
            QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
            QCoreApplication::exit(7);
        });
        QCOMPARE(QApplication::exec(), 7);
        QVERIFY(allPressed);
        QCOMPARE(modulesOverTheDrill, 0);
        QVERIFY(drillWasStillUp);
        QCOMPARE(quits.quits, 0);
        QCOMPARE(cues.asked, QStringList{CueNames::Tishi()});
        QVERIFY(notices.seen.isEmpty());
        QVERIFY(form.Menu().NormalStyle());
        QVERIFY(!form.isMinimized());

        // Closed, the menu answers again.
        QVERIFY(AccessibleTree::Press(form.SpeedButton6));
        QTRY_VERIFY(!form.Menu().NormalStyle());
    }

    void noControlTakesFocus()
    {
        TForm1 form;
        for (const QWidget *w : form.findChildren<QWidget *>())
            QVERIFY2(w->focusPolicy() == Qt::NoFocus, qPrintable(w->objectName()));
    }

    void cursors()
    {
        TForm1 form;
        for (const FlatButton *b : {form.SpeedButton1, form.SpeedButton2, form.SpeedButton3, form.SpeedButton4,
                                    form.SpeedButton5, form.SpeedButton9, form.SpeedButton10, form.SpeedButton12}) {
            QCOMPARE(b->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(b->cursor().hotSpot(), QPoint(0, 0));
            QCOMPARE(b->cursor().pixmap().cacheKey(), PenCursor(b->devicePixelRatioF()).pixmap().cacheKey());
        }
        for (const QWidget *w : {static_cast<QWidget *>(form.SpeedButton6), static_cast<QWidget *>(form.SpeedButton8),
                                 static_cast<QWidget *>(form.Image2)})
            QCOMPARE(w->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(form.Image1->cursor().shape(), Qt::ArrowCursor);
    }

    void competitionNoticeComesBeforeAnyDrillWindow()
    {
        TForm1 form;
        form.show();
        CueRecorder cues;
        NoticeRecorder notices;
        bool drillExistedDuringNotice = true;
        QStringList cuesBeforeNotice;
        notices.onNotice = [&](Notices::Kind, const QString &) {
            drillExistedDuringNotice = Form2 != nullptr;
            cuesBeforeNotice = cues.asked;
            CloseModalWindowSoon();
        };
        QTest::mouseClick(form.SpeedButton3, Qt::LeftButton);
        QCOMPARE(notices.texts().first(), QString("你有十分钟时间竞赛！"));
        QCOMPARE(notices.seen.first().first, Notices::Kind::Notice);
        QVERIFY(!drillExistedDuringNotice);
        QCOMPARE(cuesBeforeNotice, QStringList{CueNames::Jingsai()});
    }

    void drillCrownsOpenOneWindowClassInTwoModes_data()
    {
        QTest::addColumn<QString>("crown");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("restart");
        QTest::addColumn<QString>("cue");
        QTest::newRow("practice") << "SpeedButton2" << "口算练习篇" << "重新练习" << CueNames::Tishi();
        QTest::newRow("competition") << "SpeedButton3" << "口算竞技篇" << "重新竞技" << CueNames::Jingsai();
    }

    void drillCrownsOpenOneWindowClassInTwoModes()
    {
        QFETCH(QString, crown);
        TForm1 form;
        form.show();
        CueRecorder cues;
        NoticeRecorder notices;
        QString title;
        QString restart;
        QString restartSpoken;
        auto look = [&] {
            if (Form2) {
                title = Form2->windowTitle();
                restart = Form2->SpeedButton17->text();
                restartSpoken = QAccessible::queryAccessibleInterface(Form2->SpeedButton17)->text(QAccessible::Name);
            }
            CloseModalWindowSoon();
        };
        // The competition's window comes after its notice; practice has none.
        notices.onNotice = [&](Notices::Kind, const QString &) { QTimer::singleShot(0, look); };
        if (crown == "SpeedButton2")
            QTimer::singleShot(0, look);
        QTest::mouseClick(form.findChild<FlatButton *>(crown), Qt::LeftButton);
        QTEST(title, "title");
        QTEST(restart, "restart");
        QTEST(restartSpoken, "restart");
        QTEST(cues.asked.first(), "cue");
        QCOMPARE(Form2, nullptr);
    }

    // Every visit builds a new window, which is gone once it has closed.
    void tipsCrownOpensANewTipsWindowEachVisit()
    {
        TForm1 form;
        form.show();
        CueRecorder cues;
        NoticeRecorder notices;
        QList<const void *> opened;
        for (int visit = 0; visit < 2; ++visit) {
            QTimer::singleShot(0, [&opened] {
                opened << static_cast<const void *>(Form3);
                CloseModalWindowSoon();
            });
            QTest::mouseClick(form.SpeedButton5, Qt::LeftButton);
            QCOMPARE(Form3, nullptr);
        }
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened[0] != nullptr && opened[1] != nullptr);
        QCOMPARE(cues.asked, (QStringList{CueNames::Tishi(), CueNames::Tishi()}));
    }

    // Like the crowns: its cue, then a new 错题本 window each visit, gone
    // once it has closed.
    void notebookOnTheGrassOpensTheNotebook()
    {
        TForm1 form;
        form.show();
        CueRecorder cues;
        NoticeRecorder notices;
        QList<const void *> opened;
        QStringList titles;
        for (int visit = 0; visit < 2; ++visit) {
            QTimer::singleShot(0, [&] {
                opened << static_cast<const void *>(Form5);
                if (Form5)
                    titles << Form5->windowTitle();
                CloseModalWindowSoon();
            });
            QTest::mouseClick(form.SpeedButton9, Qt::LeftButton);
            QCOMPARE(Form5, nullptr);
        }
        QCOMPARE(titles, (QStringList{"错题本", "错题本"}));
        QVERIFY(opened[0] != nullptr && opened[1] != nullptr);
        QCOMPARE(cues.asked, (QStringList{CueNames::Tishi(), CueNames::Tishi()}));
        QCOMPARE(QAccessible::queryAccessibleInterface(form.SpeedButton9)->text(QAccessible::Name), QString("错题本"));
    }

    // The notebook on the grass wears a red badge with what is due today,
    // read only once the menu has been painted, and hidden at 0.
    void notebookBadgeShowsWhatIsDueToday()
    {
        const QString path = Notebook::PathIn(InstallFolder::Current().UserDatabaseFolder());
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile::remove(path);
        Notebook notebook(path);
        const QDate yesterday = QDate::currentDate().addDays(-1);
        notebook.NoteMiss({9, Operator::Multiplication, 3, 27}, QStringLiteral("28"), MissSource::Practice, yesterday);
        notebook.NoteMiss({4, Operator::Addition, 5, 9}, QStringLiteral("8"), MissSource::Exam, yesterday);
        notebook.NoteMiss({7, Operator::Addition, 7, 14}, QStringLiteral("13"), MissSource::Practice,
                          QDate::currentDate());
        QCOMPARE(notebook.Save(), std::nullopt);

        TForm1 form;
        QCoreApplication::processEvents();
        QVERIFY(form.Label1->isHidden());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(form.Label1->isVisible());
        QCOMPARE(form.Label1->text(), QStringLiteral("2"));
        QCOMPARE(AccessibleTree::Name(form.Label1), QStringLiteral("今天要复习的错题 2 道"));

        QVERIFY(QFile::remove(path));
        QTimer::singleShot(0, [] { CloseModalWindowSoon(); });
        QTest::mouseClick(form.SpeedButton9, Qt::LeftButton);
        QVERIFY(form.Label1->isHidden());
    }

    void examCrownOpensTheExamRoom()
    {
        TForm1 form;
        form.show();
        CueRecorder cues;
        NoticeRecorder notices;
        QString caption;
        QTimer::singleShot(0, [&caption] {
            if (Form4)
                caption = Form4->windowTitle();
            CloseModalWindowSoon();
        });
        QTest::mouseClick(form.SpeedButton4, Qt::LeftButton);
        QCOMPARE(caption, QString("考场"));
        QCOMPARE(Form4, nullptr);
        QCOMPARE(cues.asked, QStringList{CueNames::Tishi()});
    }

    void questionMarkDoesNothing()
    {
        TForm1 form;
        form.show();
        CueRecorder cues;
        NoticeRecorder notices;
        const QPoint before = form.pos();
        const auto windowsBefore = QApplication::topLevelWidgets().size();
        QTest::mouseClick(form.SpeedButton8, Qt::LeftButton);
        QVERIFY(cues.asked.isEmpty());
        QVERIFY(notices.seen.isEmpty());
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
        QCOMPARE(form.pos(), before);
        QVERIFY(form.isVisible());
    }

    void leavingEndsTheProgramWithoutAQuestion()
    {
        TForm1 form;
        form.show();
        NoticeRecorder notices;
        QTimer::singleShot(0, &form, [&form] { QTest::mouseClick(form.SpeedButton1, Qt::LeftButton); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(notices.seen.isEmpty());
    }

    void dragByTheHandle()
    {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QPoint start = form.pos();
        const QPoint centre(88, 88);

        QTest::mousePress(form.Image2, Qt::RightButton, {}, centre - QPoint(20, 0));
        QTest::mouseMove(form.Image2, centre - QPoint(19, 0));
        QTest::mouseRelease(form.Image2, Qt::RightButton, {}, centre - QPoint(19, 0));
        QCOMPARE(form.pos(), start);

        QTest::mousePress(form.Image2, Qt::LeftButton, {}, centre - QPoint(20, 0));
        QTest::mouseMove(form.Image2, centre - QPoint(19, 0));
        QCOMPARE(form.pos(), start - QPoint(19, 0));
        QTest::mouseRelease(form.Image2, Qt::LeftButton, {}, centre);
        QVERIFY(!form.Menu().Dragging());
    }

    void plusCircleTogglesStayOnTop()
    {
        TForm1 form;
        form.show();
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QTest::mouseClick(form.SpeedButton6, Qt::LeftButton);
        QVERIFY(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form.isVisible());
        QTest::mouseClick(form.SpeedButton6, Qt::LeftButton);
        QVERIFY(!form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form.isVisible());
    }

    void dogShowsAtMostOneFrame()
    {
        TForm1 form;
        form.Timer1->stop();
        form.show();
        QCOMPARE(VisibleFrames(form), 0);
        for (int tick = 0; tick < 21; ++tick) {
            form.Timer1Timer();
            QCOMPARE(VisibleFrames(form), 1);
        }
        QVERIFY(form.Image3->isVisible());
    }

    void dogJumpsToAPressOnTheBackground()
    {
        TForm1 form;
        form.Timer1->stop();
        form.show();
        QTest::mousePress(form.Image1, Qt::LeftButton, {}, QPoint(780, 530));
        for (const PictureBox *f : {form.Image3, form.Image4, form.Image5, form.Image6, form.Image7, form.Image8}) {
            QCOMPARE(f->mapTo(&form, QPoint()), QPoint(780, 530));
            QCOMPARE(f->size(), QSize(41, 41));
        }
        QTest::mousePress(form.Image1, Qt::RightButton, {}, QPoint(30, 400));
        QCOMPARE(form.Image5->mapTo(&form, QPoint()), QPoint(30, 400));

        // Pressed through the window, as a real press arrives: one on the
        // visible frame goes to the frame, not the background.
        form.Timer1Timer();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, QPoint(50, 420));
        QCOMPARE(form.Image3->mapTo(&form, QPoint()), QPoint(30, 400));
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, QPoint(200, 480));
        QCOMPARE(form.Image3->mapTo(&form, QPoint()), QPoint(200, 480));
        // The grass beside the child's name is background too.
        const QPoint besideName = form.Label2->geometry().topLeft() + QPoint(2, 4);
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, besideName);
        QCOMPARE(form.Image3->mapTo(&form, QPoint()), besideName);
    }
};

QTEST_MAIN(tst_TForm1)
#include "tst_tform1.moc"

// Loaded into the packaged program with LD_PRELOAD by scripts/check-install.
// It adds nothing to the program: once the application object exists it
// waits for the windows by their object names and presses their buttons,
// types and dismisses message boxes as a child would, one step at a time,
// failing loudly when a window does not show what it should. NUMBROOK_VISIT
// names the visit: "first", "again" or "blocked".
#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

namespace {

constexpr int kPollMs = 25;
constexpr int kStepTimeoutMs = 15000;

const QString kSaved = QStringLiteral("保存完成！");
// Typed on the keyboard, then through the input method as Chinese is.
const QString kTipTyped = QStringLiteral("9+5=14 ");
const QString kTipComposed = QStringLiteral("凑十法");

void Say(const QString &text)
{
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

[[noreturn]] void Fail(const QString &why)
{
    std::fprintf(stderr, "install driver: FAILED: %s\n", why.toUtf8().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

QWidget *ShownWindow(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible())
            return window;
    }
    return nullptr;
}

template <class T = QWidget>
T *Control(const QString &window, const QString &name)
{
    QWidget *shown = ShownWindow(window);
    if (!shown)
        Fail(window + QStringLiteral(" is not on screen"));
    T *control = shown->findChild<T *>(name);
    if (!control || !control->isVisible())
        Fail(window + QLatin1Char('.') + name + QStringLiteral(" is not on screen"));
    return control;
}

QMessageBox *OpenBox()
{
    return qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
}

struct Step {
    QString what;
    std::function<bool()> ready;
    std::function<void()> act;
    bool expectsBox = false;
};

Step WaitFor(const QString &window)
{
    return {QStringLiteral("%1 is on screen").arg(window), [window] { return ShownWindow(window) != nullptr; },
            [] {}};
}

Step WaitUntilClosed(const QString &window)
{
    return {QStringLiteral("%1 has closed").arg(window), [window] { return ShownWindow(window) == nullptr; },
            [] {}};
}

Step Press(const QString &window, const QString &button, const QString &what)
{
    return {QStringLiteral("press %1 (%2.%3)").arg(what, window, button), [] { return true; },
            [window, button] { QTest::mouseClick(Control(window, button), Qt::LeftButton); }};
}

Step Check(const QString &what, std::function<std::optional<QString>()> problem)
{
    return {QStringLiteral("see that ") + what, [] { return true; }, [what, problem] {
                if (const std::optional<QString> seen = problem())
                    Fail(what + QStringLiteral(": ") + *seen);
            }};
}

// Waits for a message box, checks its text and closes it with its OK.
Step Dismiss(QMessageBox::Icon icon, std::function<bool(const QString &)> textIsRight, const QString &what)
{
    return {QStringLiteral("the box saying %1 is closed with OK").arg(what), [] { return OpenBox() != nullptr; },
            [icon, textIsRight, what] {
                QMessageBox *box = OpenBox();
                Say(QStringLiteral("box: ") + box->text());
                if (box->icon() != icon || !textIsRight(box->text()))
                    Fail(QStringLiteral("expected a box saying %1").arg(what));
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            },
            true};
}

Step DismissSaved()
{
    return Dismiss(QMessageBox::NoIcon, [](const QString &text) { return text == kSaved; }, kSaved);
}

Step NewTipIsLast(const QString &what)
{
    return Check(what, []() -> std::optional<QString> {
        const QAbstractItemModel *tips = Control<QAbstractItemView>("Form3", "ListView1")->model();
        const QString last = tips->index(tips->rowCount() - 1, 1).data().toString();
        if (last != QStringLiteral("★") + kTipTyped + kTipComposed)
            return QStringLiteral("the last row is ") + last;
        return std::nullopt;
    });
}

struct ShownProblem {
    QString text;  // as a record line begins: "12+7"
    long long answer;
};

// The problem on show, read from the operands and the visible sign.
std::optional<ShownProblem> ReadProblem()
{
    const QString first = Control<QLabel>("Form2", "Label2")->text();
    const QString second = Control<QLabel>("Form2", "Label3")->text();
    const long long a = first.toLongLong();
    const long long b = second.toLongLong();
    for (QWidget *sign : ShownWindow("Form2")->findChildren<QWidget *>()) {
        if (!sign->isVisible())
            continue;
        const QString name = sign->accessibleName();
        if (name == QStringLiteral("加号"))
            return ShownProblem{first + '+' + second, a + b};
        if (name == QStringLiteral("减号"))
            return ShownProblem{first + '-' + second, a - b};
        if (name == QStringLiteral("乘号"))
            return ShownProblem{first + '*' + second, a * b};
        if (name == QStringLiteral("除号") && b != 0)
            return ShownProblem{first + '/' + second, a / b};
    }
    return std::nullopt;
}

// Answers the problem on show on the keypad and confirms; the record line
// it should leave goes to the output for the script to compare.
Step Answer(bool right)
{
    return {right ? QStringLiteral("answer rightly on the keypad") : QStringLiteral("answer wrongly on the keypad"),
            [] { return true; }, [right] {
                const std::optional<ShownProblem> problem = ReadProblem();
                if (!problem)
                    Fail(QStringLiteral("no problem on show"));
                const QString typed = QString::number(right ? problem->answer : problem->answer + 1);
                for (QChar digit : typed)
                    QTest::mouseClick(Control("Form2", QStringLiteral("SpeedButton%1").arg(5 + digit.digitValue())),
                                      Qt::LeftButton);
                Say(QStringLiteral("record %1 %2=%3").arg(right ? "right" : "wrong", problem->text, typed));
                QTest::mouseClick(Control("Form2", "SpeedButton15"), Qt::LeftButton);
            }};
}

QList<Step> FirstVisit()
{
    return {
        WaitFor("Form1"),
        Press("Form1", "SpeedButton5", "技巧篇"),
        WaitFor("Form3"),
        Check("the starter tips are listed",
              []() -> std::optional<QString> {
                  if (Control<QAbstractItemView>("Form3", "ListView1")->model()->rowCount() == 0)
                      return QStringLiteral("the list is empty");
                  return std::nullopt;
              }),
        Press("Form3", "SpeedButton3", "技巧添加"),
        {QStringLiteral("type a new tip"), [] { return true; },
         [] {
             auto *memo = Control<QPlainTextEdit>("Form3", "Memo2");
             memo->setFocus();
             QTest::keyClicks(memo, kTipTyped);
             QInputMethodEvent composed;
             composed.setCommitString(kTipComposed);
             QApplication::sendEvent(memo, &composed);
         }},
        Press("Form3", "SpeedButton5", "保存技巧"),
        DismissSaved(),
        NewTipIsLast("the new tip is the last row"),
        Press("Form3", "SpeedButton4", "返回查看"),
        Press("Form3", "SpeedButton1", "谢谢，再见"),
        WaitUntilClosed("Form3"),
        Press("Form1", "SpeedButton2", "练习篇"),
        WaitFor("Form2"),
        Check("the cue player plugin is loaded from the package",
              []() -> std::optional<QString> {
                  const QList<QObject *> children = QCoreApplication::instance()->children();
                  if (std::ranges::none_of(children, [](const QObject *child) { return child->inherits("CuePlayer"); }))
                      return QStringLiteral("no cue player was loaded");
                  return std::nullopt;
              }),
        Press("Form2", "SpeedButton4", "开始"),
        Answer(true),
        Answer(false),
        Press("Form2", "SpeedButton2", "保存"),
        DismissSaved(),
        Press("Form2", "SpeedButton1", "离开"),
        WaitUntilClosed("Form2"),
        Press("Form1", "SpeedButton1", "离开"),
    };
}

QList<Step> AgainVisit()
{
    return {
        WaitFor("Form1"),
        Press("Form1", "SpeedButton5", "技巧篇"),
        WaitFor("Form3"),
        NewTipIsLast("the tip added on the first visit is still the last row"),
        Press("Form3", "SpeedButton1", "谢谢，再见"),
        WaitUntilClosed("Form3"),
        Press("Form1", "SpeedButton1", "离开"),
    };
}

QList<Step> BlockedVisit()
{
    return {
        Dismiss(QMessageBox::Critical,
                [](const QString &text) { return text.startsWith(QStringLiteral("Cannot create folder \"")); },
                QStringLiteral("Cannot create folder")),
        WaitFor("Form1"),
        Press("Form1", "SpeedButton1", "离开"),
    };
}

class Driver : public QObject {
public:
    explicit Driver(QList<Step> steps) : steps_(std::move(steps)) {}

    void Start()
    {
        clock_.start();
        Schedule();
    }

private:
    void Schedule()
    {
        QTimer::singleShot(kPollMs, this, [this] { Tick(); });
    }

    void Tick()
    {
        const Step step = steps_.at(next_);
        if (!step.expectsBox && OpenBox())
            Fail(QStringLiteral("an unexpected box says: ") + OpenBox()->text());
        if (!step.ready()) {
            if (clock_.elapsed() > kStepTimeoutMs)
                Fail(QStringLiteral("waited in vain until ") + step.what);
            Schedule();
            return;
        }
        Say(QStringLiteral("step: ") + step.what);
        clock_.restart();
        ++next_;
        // The next step is scheduled first: this one may open a modal
        // window, whose loop returns only once a later step has closed it.
        if (next_ < steps_.size())
            Schedule();
        else
            Say(QStringLiteral("all steps done"));
        step.act();
    }

    QList<Step> steps_;
    qsizetype next_ = 0;
    QElapsedTimer clock_;
};

void StartDriving()
{
    const QByteArray visit = qgetenv("NUMBROOK_VISIT");
    QList<Step> steps;
    if (visit == "first")
        steps = FirstVisit();
    else if (visit == "again")
        steps = AgainVisit();
    else if (visit == "blocked")
        steps = BlockedVisit();
    else
        Fail(QStringLiteral("NUMBROOK_VISIT must be first, again or blocked"));
    auto *driver = new Driver(std::move(steps));
    driver->setParent(QCoreApplication::instance());
    // Queued, so that it starts once the program's own event loop runs.
    QMetaObject::invokeMethod(driver, [driver] { driver->Start(); }, Qt::QueuedConnection);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartDriving)

#include "cuotiben/TForm5.h"
#include "jiqiao/TForm3.h"
#include "kaochang/TForm4.h"
#include "lianxi/TForm2.h"
#include "shell/Application.h"
#include "notices/Notices.h"
#include "shell/TForm1.h"
#include "support/Recorders.h"
#include "widgets/FlatButton.h"

#include <QAccessible>
#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

namespace {

// What the X server and xprop may take on a machine busy with other work.
constexpr int kXServerMs = 60000;

// The windows as the program opens them, by the title each must carry.
std::unique_ptr<QWidget> OpenWindow(const QString &title)
{
    std::unique_ptr<QWidget> window;
    if (title == QStringLiteral("口算能力"))
        window = std::make_unique<TForm1>();
    else if (title == QStringLiteral("考场"))
        window = std::make_unique<TForm4>();
    else if (title == QStringLiteral("技巧篇"))
        window = std::make_unique<TForm3>();
    else if (title == QStringLiteral("错题本"))
        window = std::make_unique<TForm5>();
    else {
        auto drill = std::make_unique<TForm2>();
        drill->setWindowTitle(title);
        window = std::move(drill);
    }
    window->show();
    return window;
}

void AddWindowRows()
{
    QTest::addColumn<QString>("title");
    for (const char *title : {"考场", "口算练习篇", "口算竞技篇", "技巧篇", "错题本", "口算能力"})
        QTest::newRow(title) << QString::fromUtf8(title);
}

// What the window system shows in the title bar: on X11 the _NET_WM_NAME
// that Qt gives the window, read back by xprop.
QString TitleBarText(const QWidget &window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                          QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(kXServerMs) || xprop.exitCode() != 0)
        return QStringLiteral("<xprop: %1>").arg(xprop.errorString());
    // _NET_WM_NAME(UTF8_STRING) = "考场"
    const QString answer = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype quote = answer.indexOf(QLatin1Char('"'));
    if (quote < 0 || !answer.endsWith(QLatin1Char('"')))
        return QStringLiteral("<%1>").arg(answer);
    return answer.mid(quote + 1, answer.size() - quote - 2);
}

// What a screen reader says for a control.
QString SpokenName(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

bool HasChinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'\u4e00' && c <= u'\u9fff'; });
}

bool OnX11()
{
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

}  // namespace

class tst_Application : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpApplication(*qApp); }

    // On X11 the title bar itself is read back too: scripts/check-x11 runs
    // this under Xvfb.
    void windowsAreTitledByTheirCaptionsAlone_data() { AddWindowRows(); }
    void windowsAreTitledByTheirCaptionsAlone()
    {
        QFETCH(QString, title);
        NoticeRecorder notices;
        CueRecorder cues;
        const std::unique_ptr<QWidget> window = OpenWindow(title);
        QVERIFY(QTest::qWaitForWindowExposed(window.get(), kXServerMs));
        QCOMPARE(window->windowHandle()->title(), title);
        if (OnX11())
            QTRY_COMPARE_WITH_TIMEOUT(TitleBarText(*window), title, kXServerMs);
    }

    void everyButtonHasAChineseNameAndRoomForItsCaption_data() { AddWindowRows(); }
    void everyButtonHasAChineseNameAndRoomForItsCaption()
    {
        QFETCH(QString, title);
        NoticeRecorder notices;
        CueRecorder cues;
        const std::unique_ptr<QWidget> window = OpenWindow(title);
        const QList<FlatButton *> buttons = window->findChildren<FlatButton *>();
        QVERIFY(!buttons.isEmpty());
        for (FlatButton *button : buttons) {
            const QString name = button->objectName();
            QVERIFY2(HasChinese(SpokenName(button)), qPrintable(name + ": " + SpokenName(button)));
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= button->width(), qPrintable(name));
        }
    }

    void messageBoxesAreTitledNumbrook()
    {
        QString windowTitle;
        QString titleBar;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            QVERIFY(QTest::qWaitForWindowExposed(box, kXServerMs));
            windowTitle = box->windowHandle()->title();
            if (OnX11())
                titleBar = TitleBarText(*box);
            box->close();
        });
        Notices::ShowNotice(QStringLiteral("保存完成！"));
        QCOMPARE(windowTitle, QStringLiteral("Numbrook"));
        if (OnX11())
            QCOMPARE(titleBar, QStringLiteral("Numbrook"));
    }
};

QTEST_MAIN(tst_Application)
#include "tst_application.moc"

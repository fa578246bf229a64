// Saves through the real windows, run from the installation folder it is
// copied into (scripts/check-full-disk puts it on a small, full disk):
//   save_through_windows tip TEXT     adds a tip in the tips book, as if
//                                     pasted into its add box
//   save_through_windows records N    answers N problems of a practice
//                                     drill, every third one wrong, and
//                                     saves the records
// Every message box is printed instead of shown. The exit code is 0 when
// "保存完成！" was seen, 1 when not, 2 for a wrong command line.
#include "jiqiao/TForm3.h"
#include "jiqiao/TipListView.h"
#include "lianxi/TForm2.h"
#include "support/Recorders.h"
#include "widgets/FlatButton.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <cstdio>

namespace {

const QString kSaved = QStringLiteral("保存完成！");

void SaveTip(const QString &text)
{
    TForm3 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::printf("the tips window was not shown\n");
    QTest::mouseClick(window.SpeedButton3, Qt::LeftButton);
    // Pasted: key clicks carry no Chinese.
    window.Memo2->insertPlainText(text);
    QTest::mouseClick(window.SpeedButton5, Qt::LeftButton);
    std::printf("tips listed: %d\n", window.ListView1->model()->rowCount());
}

void SaveRecords(int answers)
{
    TForm2 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::printf("the drill window was not shown\n");
    QTest::mouseClick(window.SpeedButton4, Qt::LeftButton);
    for (int i = 0; i < answers; ++i) {
        const int answer = window.Session().Problem().Answer + (i % 3 == 2 ? 1 : 0);
        QTest::keyClicks(window.Edit1, QString::number(answer));
        QTest::keyClick(window.Edit1, Qt::Key_Return);
    }
    std::printf("answers: %d right, %d wrong\n", window.Session().Tally().RightCount(),
                window.Session().Tally().WrongCount());
    QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 || (arguments.at(1) != QLatin1String("tip") && arguments.at(1) != QLatin1String("records"))) {
        std::fprintf(stderr, "usage: save_through_windows tip TEXT | records N\n");
        return 2;
    }
    NoticeRecorder notices;
    CueRecorder cues;
    if (arguments.at(1) == QLatin1String("tip"))
        SaveTip(arguments.at(2));
    else
        SaveRecords(arguments.at(2).toInt());
    for (const auto &[kind, text] : notices.seen)
        std::printf("%s: %s\n", kind == Notices::Kind::Error ? "error box" : "notice", qPrintable(text));
    return notices.texts().contains(kSaved) ? 0 : 1;
}

// Starts the program's main menu exactly as the program does, its user's
// folder prepared first, and, once the first paint of the window is
// complete, prints the CLOCK_MONOTONIC time in nanoseconds and ends.
#include "shell/Application.h"
#include "storage/InstallFolder.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QWidget *window) : window_(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched == window_) {
            seen_ = true;
            // Let the rest of the paint pass and the flush finish first.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    QWidget *window_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SetUpApplication(app);
    if (const std::optional<QString> error = InstallFolder::Current().PrepareUserFolder()) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return 1;
    }
    TForm1 mainMenu;
    FirstPaintWatcher watcher(&mainMenu);
    mainMenu.installEventFilter(&watcher);
    mainMenu.show();
    return QApplication::exec();
}

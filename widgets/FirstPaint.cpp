#include "widgets/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {

// A child of its window, gone once the work has run.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget *window, std::function<void()> work) : QObject(window), work_(std::move(work))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The rest of the paint and its flush to the screen come first.
            QTimer::singleShot(0, this, [this] {
                work_();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> work_;
};

}  // namespace

void AfterFirstPaint(QWidget *window, std::function<void()> work)
{
    new FirstPaintWatcher(window, std::move(work));
}

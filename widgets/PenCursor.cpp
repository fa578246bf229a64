#include "widgets/PenCursor.h"

#include "widgets/Pictures.h"

#include <QCursor>
#include <QEvent>
#include <QWidget>
#include <map>

namespace {

// Lives as a child of its control and keeps the pen on it: a move to another
// screen needs the pen drawn for that screen, and a line edit puts back its
// own cursor whenever it is made read-only or writable.
class PenCursorKeeper : public QObject {
public:
    explicit PenCursorKeeper(QWidget *control) : QObject(control), control_(control)
    {
        control->installEventFilter(this);
        Apply();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched == control_ && (type == QEvent::ScreenChangeInternal || type == QEvent::CursorChange))
            Apply();
        return false;
    }

private:
    void Apply()
    {
        const QCursor &pen = PenCursor(control_->devicePixelRatioF());
        if (control_->cursor().pixmap().cacheKey() != pen.pixmap().cacheKey())
            control_->setCursor(pen);
    }

    QWidget *control_;
};

}  // namespace

const QCursor &PenCursor(qreal devicePixelRatio)
{
    static std::map<qreal, QCursor> cursors;
    auto found = cursors.find(devicePixelRatio);
    if (found == cursors.end()) {
        const QPixmap pen = Pictures::Render(QStringLiteral(":/cursors/pen.svg"), QSize(32, 32), devicePixelRatio);
        found = cursors.emplace(devicePixelRatio, QCursor(pen, 0, 0)).first;
    }
    return found->second;
}

void GivePenCursor(QWidget *control)
{
    new PenCursorKeeper(control);
}

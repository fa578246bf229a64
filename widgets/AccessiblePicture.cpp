#include "widgets/AccessiblePicture.h"

#include "widgets/PictureBox.h"

#include <QAccessibleWidget>

namespace {

// A picture control without a picture (the menu's drag handle) is no image:
// it stays a plain area.
class PictureBoxInterface : public QAccessibleWidget {
public:
    explicit PictureBoxInterface(PictureBox *box) : QAccessibleWidget(box) {}

    QAccessible::Role role() const override
    {
        return static_cast<const PictureBox *>(widget())->picture().isEmpty() ? QAccessible::Client
                                                                              : QAccessible::Graphic;
    }
};

QAccessibleInterface *MakeInterface(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("PictureBox"))
        return new PictureBoxInterface(static_cast<PictureBox *>(widget));
    if (className == QLatin1String("Shape") || className == QLatin1String("StarBurst"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String("AnswerFeedback") || className == QLatin1String("CelebrationPanel"))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    if (className == QLatin1String("Runner"))
        return new QAccessibleWidget(widget, QAccessible::Animation);
    return nullptr;
}

}  // namespace

namespace AccessiblePicture {

// Qt keeps a factory once, however often it is installed.
void Install()
{
    QAccessible::installFactory(MakeInterface);
}

}  // namespace AccessiblePicture

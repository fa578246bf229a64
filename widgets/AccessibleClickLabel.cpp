#include "widgets/AccessibleClickLabel.h"

#include "widgets/ClickLabel.h"

#include <QAccessibleWidget>

namespace {

class ClickLabelInterface : public QAccessibleWidget {
public:
    explicit ClickLabelInterface(ClickLabel *label) : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        const QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            return label()->text();
        return text;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && label()->isEnabled())
            label()->click();
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    ClickLabel *label() const { return static_cast<ClickLabel *>(widget()); }
};

QAccessibleInterface *MakeInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickLabel"))
        return new ClickLabelInterface(static_cast<ClickLabel *>(object));
    return nullptr;
}

}  // namespace

namespace AccessibleClickLabel {

// Qt keeps a factory once, however often it is installed.
void Install()
{
    QAccessible::installFactory(MakeInterface);
}

}  // namespace AccessibleClickLabel

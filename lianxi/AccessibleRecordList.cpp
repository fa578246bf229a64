#include "lianxi/AccessibleRecordList.h"

#include "lianxi/RecordListBox.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace {

// One line of the list. It reads everything from the list when asked, so it
// stays right while the list grows or is emptied; a row past the end is no
// longer valid.
class RecordRow : public QAccessibleInterface {
public:
    RecordRow(RecordListBox *list, int row) : list_(list), row_(row) {}

    bool isValid() const override { return list_ && row_ < list_->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }

    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(list_.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !list_)
            return {};
        const QString right = list_->correction(row_);
        return right.isEmpty() ? list_->line(row_) : list_->line(row_) + QStringLiteral("，正确答案 ") + right;
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        if (!list_)
            return {};
        const QRect inViewport = list_->rowRect(row_);
        return {list_->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size()};
    }

    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        if (!list_ || !list_->isVisible()) {
            state.invisible = true;
            return state;
        }
        state.selected = row_ == list_->currentRow();
        state.offscreen = !list_->viewport()->rect().intersects(list_->rowRect(row_));
        return state;
    }

    int row() const { return row_; }

private:
    QPointer<RecordListBox> list_;
    int row_;
};

class RecordListInterface : public QAccessibleWidget {
public:
    explicit RecordListInterface(RecordListBox *list) : QAccessibleWidget(list, QAccessible::List) {}

    ~RecordListInterface() override
    {
        for (QAccessible::Id id : std::as_const(rows_))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->count(); }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= list()->count())
            return nullptr;
        if (const auto made = rows_.constFind(index); made != rows_.constEnd())
            return QAccessible::accessibleInterface(*made);
        auto *row = new RecordRow(list(), index);
        rows_.insert(index, QAccessible::registerAccessibleInterface(row));
        return row;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || child->role() != QAccessible::ListItem || child->parent() != this)
            return -1;
        return static_cast<const RecordRow *>(child)->row();
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint inViewport = list()->viewport()->mapFromGlobal(QPoint(x, y));
        if (!list()->viewport()->rect().contains(inViewport))
            return nullptr;
        return child(list()->rowAt(inViewport.y()));
    }

private:
    RecordListBox *list() const { return static_cast<RecordListBox *>(widget()); }

    mutable QHash<int, QAccessible::Id> rows_;
};

QAccessibleInterface *MakeInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("RecordListBox"))
        return new RecordListInterface(static_cast<RecordListBox *>(object));
    return nullptr;
}

}  // namespace

namespace AccessibleRecordList {

// Qt keeps a factory once, however often it is installed.
void Install()
{
    QAccessible::installFactory(MakeInterface);
}

}  // namespace AccessibleRecordList

#include "chengzhang/FactGridView.h"

#include "chengzhang/FactGrid.h"
#include "chengzhang/FactGridPainter.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>

namespace {

// One fact of the grid. It reads the grid when asked, so it stays right when
// another set is shown; a cell past the set's end is no longer valid.
class FactCell : public QAccessibleInterface {
public:
    FactCell(FactGridView *view, int cell) : view_(view), cell_(cell) {}

    bool isValid() const override { return view_ && view_->Grid() && cell_ < view_->Grid()->cells.size(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }

    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(view_.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? view_->Grid()->cells.at(cell_).text : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect inView = view_->CellRect(cell_);
        return {view_->mapToGlobal(inView.topLeft()), inView.size()};
    }

    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !view_ || !view_->isVisible();
        return state;
    }

    int cell() const { return cell_; }

private:
    QPointer<FactGridView> view_;
    int cell_;
};

class FactGridInterface : public QAccessibleWidget {
public:
    explicit FactGridInterface(FactGridView *view) : QAccessibleWidget(view, QAccessible::List) {}

    ~FactGridInterface() override
    {
        for (QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return view()->Grid() ? static_cast<int>(view()->Grid()->cells.size()) : 0; }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto made = cells_.constFind(index); made != cells_.constEnd())
            return QAccessible::accessibleInterface(*made);
        auto *cell = new FactCell(view(), index);
        cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || child->role() != QAccessible::ListItem || child->parent() != this)
            return -1;
        return static_cast<const FactCell *>(child)->cell();
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint inView = view()->mapFromGlobal(QPoint(x, y));
        for (int k = 0; k < childCount(); ++k) {
            if (view()->CellRect(k).contains(inView))
                return child(k);
        }
        return nullptr;
    }

private:
    FactGridView *view() const { return static_cast<FactGridView *>(widget()); }

    mutable QHash<int, QAccessible::Id> cells_;
};

QAccessibleInterface *MakeInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("FactGridView"))
        return new FactGridInterface(static_cast<FactGridView *>(object));
    return nullptr;
}

}  // namespace

FactGridView::FactGridView(QWidget *parent) : QWidget(parent)
{
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(MakeInterface);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("口算熟练图"));
}

void FactGridView::SetGrid(const FactGrid *grid)
{
    grid_ = grid;
    hovered_.reset();
    setAccessibleName(grid_ ? QStringLiteral("口算熟练图：%1").arg(grid_->name) : QStringLiteral("口算熟练图"));
    setAccessibleDescription(grid_ ? grid_->Summary() : QString());
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
    update();
}

QRect FactGridView::CellRect(int cell) const
{
    if (!grid_ || cell < 0 || cell >= grid_->cells.size())
        return {};
    return FactGridPainter::CellRect(rect(), *grid_, cell).toAlignedRect();
}

void FactGridView::paintEvent(QPaintEvent *)
{
    if (!grid_)
        return;
    QPainter painter(this);
    FactGridPainter::Paint(painter, rect(), *grid_, hovered_);
}

void FactGridView::mouseMoveEvent(QMouseEvent *event)
{
    if (!grid_)
        return;
    const std::optional<int> cell = FactGridPainter::CellAt(rect(), *grid_, event->position());
    if (cell == hovered_)
        return;
    hovered_ = cell;
    update();
    if (cell)
        QToolTip::showText(event->globalPosition().toPoint(), grid_->cells.at(*cell).text, this);
    else
        QToolTip::hideText();
}

void FactGridView::leaveEvent(QEvent *)
{
    hovered_.reset();
    update();
}

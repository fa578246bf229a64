#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString &caption, const QStringList &items, QWidget *parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], this);
        radio->setFocusPolicy(Qt::NoFocus);
        group_->addButton(radio, i);
        layout->addWidget(radio, 1);
    }
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *b = group_->button(index))
        b->setChecked(true);
}

QString RadioGroup::itemText(int index) const
{
    const QAbstractButton *b = group_->button(index);
    return b ? b->text() : QString();
}

QString RadioGroup::selectedText() const
{
    return itemText(itemIndex());
}

QRadioButton *RadioGroup::button(int index) const
{
    return static_cast<QRadioButton *>(group_->button(index));
}

int RadioGroup::count() const
{
    return static_cast<int>(group_->buttons().size());
}

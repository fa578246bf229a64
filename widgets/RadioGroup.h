#pragma once

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

// A captioned box of radio buttons spread evenly down its height, one of
// which is selected.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString &caption, const QStringList &items, QWidget *parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QString itemText(int index) const;
    QString selectedText() const;
    QRadioButton *button(int index) const;
    int count() const;

signals:
    void itemIndexChanged(int index);

private:
    QButtonGroup *group_;
};

#pragma once

#include "widgets/ScreenPicture.h"

#include <QWidget>

// Whose turn it is: the practising child's animal with the name beside it,
// so that a brother or sister does not practise as the other: beside it in
// a wide badge, beneath it in a tall one. Empty until shown; it takes no
// mouse input. The name is in the palette's WindowText, navy unless the
// window's ground asks for another.
class ChildBadge : public QWidget {
    Q_OBJECT

public:
    explicit ChildBadge(QWidget *parent = nullptr);

    void Show(const QString &name, const QString &pictureResource);
    const QString &Name() const { return name_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString name_;
    ScreenPicture picture_;
};

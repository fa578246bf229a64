#pragma once

#include <QColor>
#include <QWidget>

// A filled panel framed by an outer and an inner bevel, each raised, lowered
// or absent, optionally inside a single dark border.
class BevelPanel : public QWidget {
    Q_OBJECT

public:
    enum class Bevel { None, Raised, Lowered };

    explicit BevelPanel(QWidget *parent = nullptr);

    void setColor(const QColor &color);
    void setBevels(Bevel outer, Bevel inner, int width);
    void setSingleBorder(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintBevel(QPainter &painter, QRect &area, Bevel bevel) const;

    QColor color_;
    Bevel outer_ = Bevel::None;
    Bevel inner_ = Bevel::None;
    int bevelWidth_ = 1;
    bool singleBorder_ = false;
};

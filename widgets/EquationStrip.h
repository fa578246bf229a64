#pragma once

#include "widgets/EquationPiece.h"
#include "widgets/ScreenPicture.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <array>

// A stretch of a problem row in the drill's own style, the pieces before or
// after the answer box: big bold blue numbers and brackets with the sign
// pictures between them, all on one line with the classic row's operands.
class EquationStrip : public QWidget {
    Q_OBJECT

public:
    explicit EquationStrip(QWidget *parent = nullptr);

    // pixels is the numbers' size; the signs grow and shrink with it.
    void setPieces(const QList<EquationPiece> &pieces, int pixels);
    // The width the pieces take at the size set.
    int naturalWidth() const;
    // The height stacked fractions need, centred on the row's middle; 0
    // without one.
    int naturalHeight() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int SignSide() const;

    QList<EquationPiece> pieces_;
    int pixels_ = 64;
    std::array<ScreenPicture, 5> signs_;
};

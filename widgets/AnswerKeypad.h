#pragma once

#include "widgets/BevelPanel.h"

#include <QList>
#include <array>

class FlatButton;

// The keypad's keys as a window keeps them, under the drill window's names.
struct AnswerKeypadKeys {
    FlatButton *SpeedButton5 = nullptr;  // "0"
    FlatButton *SpeedButton6 = nullptr;
    FlatButton *SpeedButton7 = nullptr;
    FlatButton *SpeedButton8 = nullptr;
    FlatButton *SpeedButton9 = nullptr;
    FlatButton *SpeedButton10 = nullptr;
    FlatButton *SpeedButton11 = nullptr;
    FlatButton *SpeedButton12 = nullptr;
    FlatButton *SpeedButton13 = nullptr;
    FlatButton *SpeedButton14 = nullptr;  // "9"
    FlatButton *SpeedButton15 = nullptr;  // "确定"
    FlatButton *SpeedButton18 = nullptr;  // "清除"
};

// The keypad the drills are answered on, a sky-blue panel 753 × 65: the ten
// digit keys "0" to "9", each in its own colour, then "确定" (disabled until
// answers are taken) and "清除". Its keys carry the drill window's names:
// SpeedButton5 to SpeedButton14 for the digits, SpeedButton15 for "确定" and
// SpeedButton18 for "清除". The window connects them and gives the cursors.
class AnswerKeypad : public BevelPanel {
    Q_OBJECT

public:
    explicit AnswerKeypad(QWidget *parent = nullptr);

    const AnswerKeypadKeys &Keys() const { return keys_; }
    FlatButton *DigitKey(int digit) const { return digitKeys_.at(static_cast<std::size_t>(digit)); }
    // The digit keys and "确定", which show the pen cursor; "清除" keeps the
    // ordinary pointer.
    QList<FlatButton *> AnswerKeys() const;

private:
    std::array<FlatButton *, 10> digitKeys_{};
    AnswerKeypadKeys keys_;
};

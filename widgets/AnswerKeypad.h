#pragma once

#include "widgets/BevelPanel.h"

#include <array>

class FlatButton;

// The keypad the drills are answered on, a sky-blue panel 753 × 65: the ten
// digit keys "0" to "9", each in its own colour, then "确定" (disabled until
// answers are taken) and "清除". Its keys carry the drill window's names:
// SpeedButton5 to SpeedButton14 for the digits, SpeedButton15 for "确定" and
// SpeedButton18 for "清除". The window connects them and gives the cursors.
class AnswerKeypad : public BevelPanel {
    Q_OBJECT

public:
    explicit AnswerKeypad(QWidget *parent = nullptr);

    FlatButton *DigitKey(int digit) const { return digitKeys_.at(static_cast<std::size_t>(digit)); }
    FlatButton *ConfirmKey() const { return confirmKey_; }
    FlatButton *ClearKey() const { return clearKey_; }

private:
    std::array<FlatButton *, 10> digitKeys_{};
    FlatButton *confirmKey_ = nullptr;
    FlatButton *clearKey_ = nullptr;
};

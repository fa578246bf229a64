#include "widgets/AnswerKeypad.h"

#include "widgets/Controls.h"
#include "widgets/FlatButton.h"
#include "widgets/Fonts.h"
#include "widgets/Palette.h"

AnswerKeypad::AnswerKeypad(QWidget *parent) : BevelPanel(parent)
{
    setColor(Palette::SkyBlue);
    setBevels(Bevel::Raised, Bevel::None, 1);
    setAccessibleName(QStringLiteral("数字键"));
    const std::array<QColor, 10> digitColors{Palette::Purple, Palette::Green,   Palette::Navy, Palette::Teal,
                                              Palette::Maroon, Palette::Red,     Palette::Yellow,
                                              Palette::Fuchsia, Palette::Aqua, Palette::Desktop};
    const QString digitNames = QStringLiteral("零一二三四五六七八九");
    for (int d = 0; d < 10; ++d) {
        const QByteArray name = "SpeedButton" + QByteArray::number(5 + d);
        digitKeys_.at(static_cast<std::size_t>(d)) =
            Controls::MakeButton(this, name.constData(), {8 + 56 * d, 8, 57, 49},
                                 {.caption = QString::number(d),
                                  .accessibleName = digitNames.at(d),
                                  .font = Fonts::SongTi(56, true),
                                  .captionColor = digitColors.at(static_cast<std::size_t>(d)),
                                  .captionOutlined = true});
    }
    const QFont commandFont = Fonts::LiShu(35, true);
    FlatButton *confirm = Controls::MakeButton(this, "SpeedButton15", {576, 8, 81, 49},
                                               {.caption = QStringLiteral("确定"), .font = commandFont,
                                                .captionColor = Palette::Fuchsia});
    FlatButton *clear = Controls::MakeButton(this, "SpeedButton18", {664, 8, 81, 49},
                                             {.caption = QStringLiteral("清除"), .font = commandFont,
                                              .captionColor = Palette::Fuchsia});
    confirm->setEnabled(false);
    const auto &d = digitKeys_;
    keys_ = {d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], confirm, clear};
}

QList<FlatButton *> AnswerKeypad::AnswerKeys() const
{
    QList<FlatButton *> keys(digitKeys_.begin(), digitKeys_.end());
    keys.append(keys_.SpeedButton15);
    return keys;
}

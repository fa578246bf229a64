#include "kaochang/ExamCountdown.h"

#include <QString>

void ExamCountdown::Start(int examMinutes)
{
    minutesLeft_ = examMinutes - 1;
    secondTicks_ = 0;
}

QString ExamCountdown::Tick()
{
    ++secondTicks_;
    if (secondTicks_ == 60) {
        --minutesLeft_;
        secondTicks_ = 0;
    }
    return CountdownText(minutesLeft_, secondTicks_);
}

QString CountdownText(int minutesLeft, int secondTicks)
{
    return QStringLiteral("%1 分%2 秒").arg(minutesLeft).arg(60 - secondTicks);
}

#pragma once

class QString;

// The "剩余时间" label: minutes left and one-second ticks. It only displays;
// the runner decides when the time is up. The seconds part runs 59 down to 1
// and reads 60 at each full minute: "9 分59 秒" after one second of a
// ten-minute exam, "8 分60 秒" after sixty.
class ExamCountdown {
public:
    void Start(int examMinutes);
    QString Tick();

private:
    int minutesLeft_ = 0;
    int secondTicks_ = 0;
};

QString CountdownText(int minutesLeft, int secondTicks);

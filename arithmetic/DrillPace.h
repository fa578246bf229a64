#pragma once

#include <QtGlobal>

class QString;
struct Preset;

// How fast a drill went: its answers and the time from 开始 to the last
// answer checked, and whether a preset's 口算达标 standard was met.
struct DrillPace {
    int Total = 0;
    int Right = 0;
    qint64 Milliseconds = 0;

    // "1分05秒", "45秒".
    QString TimeText() const;
    // Problems a minute, cut to one decimal: "9.5 题/分".
    QString SpeedText() const;
    bool Meets(const Preset &preset) const;
    // In the child's words: "速度 9.5 题/分，正确率 96%，达到了 20以内进位加法
    // 的口算标准！", or what is short: "还差一点：速度还差 2 题/分，正确率还差
    // 5%。"
    QString Verdict(const Preset &preset) const;

private:
    qint64 SpeedTenths() const;
};

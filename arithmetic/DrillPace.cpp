#include "arithmetic/DrillPace.h"

#include "arithmetic/Presets.h"

#include <QString>
#include <QStringList>
#include <algorithm>

namespace {

// A drill shorter than a second counts as one second, so that a first quick
// answer does not make an endless speed.
qint64 CountedMilliseconds(qint64 ms)
{
    return std::max<qint64>(ms, 1000);
}

}  // namespace

QString DrillPace::TimeText() const
{
    const qint64 seconds = Milliseconds / 1000;
    if (seconds < 60)
        return QStringLiteral("%1秒").arg(seconds);
    return QStringLiteral("%1分%2秒").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

qint64 DrillPace::SpeedTenths() const
{
    // Cut, never rounded up: 9.96 shows as 9.9 and cannot read as a 10 that
    // was not reached.
    return qint64{Total} * 600000 / CountedMilliseconds(Milliseconds);
}

QString DrillPace::SpeedText() const
{
    const qint64 tenths = SpeedTenths();
    return QStringLiteral("%1.%2 题/分").arg(tenths / 10).arg(tenths % 10);
}

bool DrillPace::Meets(const Preset &preset) const
{
    return Total > 0 && qint64{Total} * 60000 >= qint64{preset.ProblemsPerMinute} * CountedMilliseconds(Milliseconds)
        && Right * 100 >= preset.AccuracyPercent * Total;
}

QString DrillPace::Verdict(const Preset &preset) const
{
    const int percent = Total > 0 ? Right * 100 / Total : 0;
    if (Meets(preset))
        return QStringLiteral("速度 %1，正确率 %2%，达到了 %3 的口算标准！")
            .arg(SpeedText())
            .arg(percent)
            .arg(QString::fromUtf8(preset.Name.data(), static_cast<qsizetype>(preset.Name.size())));
    // What is short, in the figures the panel shows: the speed cut to a
    // tenth, the accuracy to a whole percent.
    QStringList shortOf;
    const qint64 tenthsShort = qint64{preset.ProblemsPerMinute} * 10 - SpeedTenths();
    if (tenthsShort > 0)
        shortOf << (tenthsShort % 10 == 0 ? QStringLiteral("速度还差 %1 题/分").arg(tenthsShort / 10)
                                           : QStringLiteral("速度还差 %1.%2 题/分").arg(tenthsShort / 10).arg(tenthsShort % 10));
    if (Right * 100 < preset.AccuracyPercent * Total)
        shortOf << QStringLiteral("正确率还差 %1%").arg(std::max(1, preset.AccuracyPercent - percent));
    return QStringLiteral("还差一点：%1。").arg(shortOf.join(QStringLiteral("，")));
}

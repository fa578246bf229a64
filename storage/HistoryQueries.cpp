#include "storage/HistoryQueries.h"

#include "storage/HistoryRows.h"
#include "storage/HistoryStore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {

int DayNumber(QDate day)
{
    return day.year() * 10000 + day.month() * 100 + day.day();
}

QDate DayOf(int number)
{
    return QDate(number / 10000, number / 100 % 100, number % 100);
}

QSqlQuery Run(const HistoryStore &store, const QString &sql, const QVariantList &values)
{
    QSqlQuery query(store.Database());
    query.setForwardOnly(true);
    query.prepare(sql);
    for (int k = 0; k < values.size(); ++k)
        query.bindValue(k, values.at(k));
    query.exec();
    return query;
}

void ReadFigures(const QSqlQuery &query, int from, Figures &figures)
{
    figures.total = query.value(from).toInt();
    figures.right = query.value(from + 1).toInt();
    figures.timed = query.value(from + 2).toInt();
    figures.millis = query.value(from + 3).toLongLong();
}

const QString kFigures = QStringLiteral("count(*), sum(a.right), count(a.millis), coalesce(sum(a.millis), 0)");

QByteArray CsvField(const QString &text)
{
    QString field = text;
    if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n')) {
        field.replace(u'"', QStringLiteral("\"\""));
        field = u'"' + field + u'"';
    }
    return field.toUtf8();
}

QByteArray Csv(QSqlQuery &query, const QStringList &header, int timeColumns)
{
    QByteArray out("\xEF\xBB\xBF");
    auto line = [&out](const QStringList &fields) {
        for (int k = 0; k < fields.size(); ++k) {
            if (k)
                out += ',';
            out += CsvField(fields.at(k));
        }
        out += "\r\n";
    };
    line(header);
    while (query.next()) {
        QStringList fields;
        for (int k = 0; k < header.size(); ++k) {
            const QVariant value = query.value(k);
            if (k < timeColumns)
                fields.append(value.isNull() ? QString()
                                             : QDateTime::fromMSecsSinceEpoch(value.toLongLong())
                                                   .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            else if (k == timeColumns)
                fields.append(HistoryOriginText(static_cast<HistoryOrigin>(value.toInt())));
            else
                fields.append(value.toString());
        }
        line(fields);
    }
    return out;
}

}  // namespace

namespace HistoryQueries {

QList<DayFigures> PerDay(const HistoryStore &store, int child, QDate first, QDate today)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT min(a.day, ?) AS shown, %1 FROM answers a WHERE a.child = ? "
                                         "AND a.day >= ? GROUP BY shown ORDER BY shown")
                              .arg(kFigures),
                          {DayNumber(today), child, DayNumber(first)});
    QList<DayFigures> days;
    while (query.next()) {
        DayFigures day;
        day.day = DayOf(query.value(0).toInt());
        ReadFigures(query, 1, day);
        days.append(day);
    }
    return days;
}

QList<QDate> PractisedDays(const HistoryStore &store, int child, QDate first, QDate today)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT DISTINCT min(day, ?) AS shown FROM answers WHERE child = ? "
                                         "AND day >= ? ORDER BY shown"),
                          {DayNumber(today), child, DayNumber(first)});
    QList<QDate> days;
    while (query.next())
        days.append(DayOf(query.value(0).toInt()));
    return days;
}

int Streak(const QList<QDate> &practisedDays, QDate today)
{
    QDate day = practisedDays.contains(today) ? today : today.addDays(-1);
    int streak = 0;
    while (practisedDays.contains(day)) {
        ++streak;
        day = day.addDays(-1);
    }
    return streak;
}

QList<SkillFigures> WeakestSkills(const HistoryStore &store, int child, QDate first, int limit)
{
    QSqlQuery query = Run(
        store,
        QStringLiteral("SELECT coalesce(s.preset_name, s.setting) AS skill, %1 FROM answers a "
                       "JOIN sessions s ON s.id = a.session WHERE a.child = ? AND a.day >= ? "
                       "GROUP BY skill ORDER BY 1.0 * sum(a.right) / count(*), "
                       "1.0 * coalesce(sum(a.millis), 0) / max(count(a.millis), 1) DESC LIMIT ?")
            .arg(kFigures),
        {child, DayNumber(first), limit});
    QList<SkillFigures> skills;
    while (query.next()) {
        SkillFigures skill;
        skill.skill = query.value(0).toString();
        ReadFigures(query, 1, skill);
        skills.append(skill);
    }
    return skills;
}

QList<ProblemFigures> HardestProblems(const HistoryStore &store, int child, QDate first, int limit)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT problem, count(*), count(*) - sum(right), avg(millis) FROM answers "
                                         "WHERE child = ? AND day >= ? GROUP BY problem "
                                         "HAVING count(*) > sum(right) OR avg(millis) >= 5000 "
                                         "ORDER BY 3 DESC, 4 DESC LIMIT ?"),
                          {child, DayNumber(first), limit});
    QList<ProblemFigures> problems;
    while (query.next()) {
        ProblemFigures problem;
        problem.problem = query.value(0).toString();
        problem.total = query.value(1).toInt();
        problem.missed = query.value(2).toInt();
        if (!query.value(3).isNull())
            problem.averageSeconds = query.value(3).toDouble() / 1000.0;
        problems.append(problem);
    }
    return problems;
}

std::optional<PresetTarget> MostPractisedPreset(const HistoryStore &store, int child, QDate first)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT s.preset_name, s.target_per_minute, s.target_accuracy FROM answers a "
                                         "JOIN sessions s ON s.id = a.session WHERE a.child = ? AND a.day >= ? "
                                         "AND s.preset_id IS NOT NULL GROUP BY s.preset_id "
                                         "ORDER BY count(*) DESC LIMIT 1"),
                          {child, DayNumber(first)});
    if (!query.next())
        return std::nullopt;
    PresetTarget target{query.value(0).toString(), std::nullopt, std::nullopt};
    if (!query.value(1).isNull())
        target.perMinute = query.value(1).toDouble();
    if (!query.value(2).isNull())
        target.accuracy = query.value(2).toDouble();
    return target;
}

QByteArray SessionsCsv(const HistoryStore &store, int child)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT started, ended, origin, total, right, round(score / 10000.0, 2), "
                                         "coalesce(preset_name, setting), target_per_minute, target_accuracy "
                                         "FROM sessions WHERE child = ? ORDER BY started"),
                          {child});
    return Csv(query,
               {QStringLiteral("开始"), QStringLiteral("结束"), QStringLiteral("来自"), QStringLiteral("题数"),
                QStringLiteral("做对"), QStringLiteral("得分"), QStringLiteral("内容"),
                QStringLiteral("达标题/分"), QStringLiteral("达标正确率")},
               2);
}

QByteArray AnswersCsv(const HistoryStore &store, int child)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT at, origin, problem, answer, CASE right WHEN 1 THEN '对' ELSE '错' END, "
                                         "round(millis / 1000.0, 1) "
                                         "FROM answers WHERE child = ? ORDER BY at"),
                          {child});
    return Csv(query,
               {QStringLiteral("时间"), QStringLiteral("来自"), QStringLiteral("题目"), QStringLiteral("答案"),
                QStringLiteral("对错"), QStringLiteral("秒")},
               1);
}

}  // namespace HistoryQueries

#include "storage/HistoryQueries.h"

#include "storage/CsvTable.h"
#include "storage/HistoryRows.h"
#include "storage/HistoryStore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <limits>

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

// Answers of one skill (a preset, or a range and kind of sums) when one is
// given: bound as the skill twice; an empty skill (bound as NULL) is every one.
const QString kOfSkill = QStringLiteral(" AND (coalesce(?, '') = '' OR session IN (SELECT id FROM sessions "
                                        "WHERE coalesce(preset_name, setting) = ?))");

const QString kFigures = QStringLiteral("count(*), sum(a.right), count(a.millis), coalesce(sum(a.millis), 0)");

// The rows of a query as text: the first timeColumns as local times, the
// next the origin's name, the column at problemColumn with the paper's × and
// ÷, the rest as they are.
QList<QStringList> CsvRows(QSqlQuery &query, int columns, int timeColumns, int problemColumn)
{
    QList<QStringList> rows;
    while (query.next()) {
        QStringList fields;
        for (int k = 0; k < columns; ++k) {
            const QVariant value = query.value(k);
            if (k < timeColumns)
                fields.append(value.isNull() ? QString()
                                             : QDateTime::fromMSecsSinceEpoch(value.toLongLong())
                                                   .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            else if (k == timeColumns)
                fields.append(HistoryOriginText(static_cast<HistoryOrigin>(value.toInt())));
            else if (k == problemColumn)
                fields.append(value.toString().replace(u'*', u'×').replace(u'/', u'÷'));
            else
                fields.append(value.toString());
        }
        rows.append(fields);
    }
    return rows;
}

}  // namespace

namespace HistoryQueries {

QList<DayFigures> PerDay(const HistoryStore &store, int child, QDate first, QDate today, const QString &skill)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT min(a.day, ?) AS shown, %1 FROM answers a WHERE a.child = ? "
                                         "AND a.day >= ?%2 GROUP BY shown ORDER BY shown")
                              .arg(kFigures, kOfSkill),
                          {DayNumber(today), child, DayNumber(first), skill, skill});
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

QList<ProblemFigures> HardestProblems(const HistoryStore &store, int child, QDate first, int limit,
                                     const QString &skill)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT problem, count(*), count(*) - sum(right), avg(millis) FROM answers "
                                         "WHERE child = ? AND day >= ?%1 GROUP BY problem "
                                         "HAVING count(*) > sum(right) OR avg(millis) >= 5000 "
                                         "ORDER BY 3 DESC, 4 DESC LIMIT ?")
                              .arg(kOfSkill),
                          {child, DayNumber(first), skill, skill, limit});
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

std::optional<PresetTarget> MostPractisedPreset(const HistoryStore &store, int child, QDate first,
                                                const QString &skill)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT s.preset_name, s.target_per_minute, s.target_accuracy FROM answers a "
                                         "JOIN sessions s ON s.id = a.session WHERE a.child = ? AND a.day >= ? "
                                         "AND s.preset_id IS NOT NULL%1 GROUP BY s.preset_id "
                                         "ORDER BY count(*) DESC LIMIT 1")
                              .arg(kOfSkill),
                          {child, DayNumber(first), skill, skill});
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
    const QStringList header{QStringLiteral("开始"),     QStringLiteral("结束"),      QStringLiteral("来自"),
                             QStringLiteral("题数"),     QStringLiteral("做对"),      QStringLiteral("得分"),
                             QStringLiteral("内容"),     QStringLiteral("达标题/分"), QStringLiteral("达标正确率")};
    return CsvTable::Write(header, CsvRows(query, header.size(), 2, -1));
}

QByteArray AnswersCsv(const HistoryStore &store, int child)
{
    // An exam box has no time of its own to answer; it has the time it was
    // last changed, counted from the paper's start.
    QSqlQuery query =
        Run(store,
            QStringLiteral("SELECT a.at, a.origin, a.problem, a.answer, CASE a.right WHEN 1 THEN '对' ELSE '错' END, "
                           "round(a.millis / 1000.0, 1), "
                           "CASE WHEN a.origin = 3 THEN round((a.at - s.started) / 1000.0) END "
                           "FROM answers a LEFT JOIN sessions s ON s.id = a.session "
                           "WHERE a.child = ? ORDER BY a.at"),
            {child});
    const QStringList header{QStringLiteral("时间"), QStringLiteral("来自"), QStringLiteral("题目"),
                             QStringLiteral("答案"), QStringLiteral("对错"), QStringLiteral("秒"),
                             QStringLiteral("开考后秒")};
    return CsvTable::Write(header, CsvRows(query, header.size(), 1, 2));
}

QStringList Skills(const HistoryStore &store, int child, QDate first)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT coalesce(s.preset_name, s.setting) AS skill FROM answers a "
                                         "JOIN sessions s ON s.id = a.session WHERE a.child = ? AND a.day >= ? "
                                         "GROUP BY skill ORDER BY count(*) DESC, skill"),
                          {child, DayNumber(first)});
    QStringList skills;
    while (query.next())
        skills << query.value(0).toString();
    return skills;
}

std::optional<HistoryOrigin> OriginOf(const HistoryStore &store, int child, const QString &problem)
{
    QSqlQuery query = Run(store,
                          QStringLiteral("SELECT origin FROM answers WHERE child = ? AND problem = ? AND origin != ? "
                                         "ORDER BY right, at DESC LIMIT 1"),
                          {child, problem, static_cast<int>(HistoryOrigin::Review)});
    if (!query.next())
        return std::nullopt;
    return static_cast<HistoryOrigin>(query.value(0).toInt());
}

QSet<int> Children(const HistoryStore &store)
{
    QSqlQuery query = Run(store, QStringLiteral("SELECT child FROM sessions UNION SELECT child FROM answers"), {});
    QSet<int> children;
    while (query.next())
        children.insert(query.value(0).toInt());
    return children;
}

}  // namespace HistoryQueries

namespace {

// A row's right, time and day in one integer, so that a fact's rows cross
// from SQLite as one value each: bit 0 right, bit 1 no time, bits 2–33 the
// milliseconds, bits 34 on the day (yyyymmdd).
// SQLite's | and << bind alike, left to right: every shift is bracketed.
const QString kPacked = QStringLiteral("(a.right != 0) | ((a.millis IS NULL) << 1) | (coalesce(a.millis, 0) << 2) "
                                       "| (a.day << 34)");

QSqlQuery Prepared(const HistoryStore &store, const QString &sql)
{
    QSqlQuery query(store.Database());
    query.setForwardOnly(true);
    query.prepare(sql);
    return query;
}

QString ProblemSql(const QString &order)
{
    return QStringLiteral("SELECT %1 FROM answers a WHERE a.child = ? AND a.problem = ? AND a.day <= ? "
                          "ORDER BY a.at %2")
        .arg(kPacked, order);
}

QString PresetSql(const QString &order)
{
    return QStringLiteral("SELECT %1, length(replace(replace(a.answer, '…', ''), '.', '')) FROM sessions s "
                          "JOIN answers a ON a.session = s.id WHERE s.child = ? AND s.preset_id = ? "
                          "AND s.preset_name = ? AND a.day <= ? ORDER BY s.started %2, a.at %2")
        .arg(kPacked, order);
}

}  // namespace

AnswerReader::AnswerReader(const HistoryStore &store, int child, QDate before)
    : child_(child),
      lastDay_(before.isValid() ? DayNumber(before) - 1 : std::numeric_limits<int>::max()),
      newest_(Prepared(store, ProblemSql(QStringLiteral("DESC")))),
      oldest_(Prepared(store, ProblemSql(QStringLiteral("ASC")))),
      presetNewest_(Prepared(store, PresetSql(QStringLiteral("DESC")))),
      presetOldest_(Prepared(store, PresetSql(QStringLiteral("ASC"))))
{
}

void AnswerReader::OfProblem(const QString &problem, From from, const Take &take)
{
    QSqlQuery &query = from == From::Newest ? newest_ : oldest_;
    query.bindValue(0, child_);
    query.bindValue(1, problem);
    query.bindValue(2, lastDay_);
    Read(query, take);
}

void AnswerReader::OfPreset(const QString &presetId, const QString &presetName, From from, const Take &take)
{
    QSqlQuery &query = from == From::Newest ? presetNewest_ : presetOldest_;
    query.bindValue(0, child_);
    query.bindValue(1, presetId);
    query.bindValue(2, presetName);
    query.bindValue(3, lastDay_);
    Read(query, take);
}

void AnswerReader::Read(QSqlQuery &query, const Take &take)
{
    if (!query.exec())
        return;
    const bool digits = query.record().count() > 1;
    ProblemAnswer answer;
    while (query.next()) {
        const qint64 packed = query.value(0).toLongLong();
        answer.right = (packed & 1) != 0;
        answer.millis = (packed & 2) ? std::nullopt : std::optional<int>(static_cast<int>(packed >> 2 & 0xffffffff));
        answer.day = DayOf(static_cast<int>(packed >> 34));
        answer.answerDigits = digits ? query.value(1).toInt() : 0;
        if (!take(answer))
            break;
    }
    query.finish();
}

#pragma once

#include "arithmetic/FactMastery.h"
#include "arithmetic/Presets.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// Which unit 今日练习 practises, and when a unit counts as ★ 已掌握.

// "一年级" … "六年级", for ChildList's grades 1 to 6.
QString GradeName(int grade);

// 上册 from September to January, 下册 from February to August.
enum class SchoolTerm { First, Second };
SchoolTerm TermOf(QDate day);
// "一年级上册".
QString TermName(int grade, SchoolTerm term);

// A unit is 已掌握 when this share of its facts is 熟练 or 牢固.
inline constexpr int MasteredPercent = 90;
// Of a unit's records (UnitRecords): false for none.
bool IsMastered(const QList<FactRecord> &records);

// The first unit of a grade's term; a term past the presets' last takes
// the last term they have.
std::optional<PresetPick> FirstUnitOf(int grade, SchoolTerm term);
// The unit after this one in the same term: its preset's next choice, else
// the next preset's first; nothing after the term's last.
std::optional<PresetPick> NextUnit(const PresetPick &unit);

// The unit of today's practice: the one last chosen in the drill, else the
// first of the grade's term on that day, moved on past every unit already
// mastered while the term has a next one. Nothing without either.
std::optional<PresetPick> TodayUnit(const std::optional<PresetPick> &lastChosen, const std::optional<int> &grade,
                                    QDate today, const std::function<bool(const PresetPick &)> &mastered);

// "20以内进位加法 已经掌握了！明天开始练 20以内退位减法".
QString MasteredSentence(const PresetPick &done, const PresetPick &next);

#pragma once

#include "arithmetic/Presets.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemGenerator.h"

#include <QDateTime>
#include <QString>
#include <optional>

// What a child practised: the range and kind of sums, and the preset when one
// was chosen (its 达标 figures travel as plain values).
struct PracticeSetting {
    std::int32_t rangeBound = 0;
    OperationChoice operation = OperationChoice::AddSubtract;
    QString presetId;
    QString presetName;
    std::optional<double> targetPerMinute;
    std::optional<double> targetAccuracy;
    // 今日练习's session rather than a drill the child chose.
    bool daily = false;
    // An exam's: when its paper was started; invalid for a drill, which
    // starts when it is told.
    QDateTime paperStarted;
};

// A range and kind of sums without a preset.
inline PracticeSetting RangeSetting(std::int32_t rangeBound, OperationChoice operation)
{
    PracticeSetting setting;
    setting.rangeBound = rangeBound;
    setting.operation = operation;
    return setting;
}

// The setting of a drill or a paper: the pick's preset when there is one.
inline PracticeSetting PickedSetting(std::int32_t rangeBound, OperationChoice operation, const PresetPick &pick)
{
    PracticeSetting setting = RangeSetting(rangeBound, operation);
    if (const Preset *preset = PresetOf(pick)) {
        setting.presetId = QString::number(preset->Id);
        setting.presetName = PresetTitle(*preset, pick.Choice);
        setting.targetPerMinute = preset->ProblemsPerMinute;
        setting.targetAccuracy = preset->AccuracyPercent;
    }
    return setting;
}

// One answer as "确定" or the grading found it. seconds is the time from the
// problem shown to its check; an exam box has none, but has the time it was
// last changed (invalid when it never was: then the check's time counts).
struct CheckedAnswer {
    Problem problem;
    QString answer;
    bool right = false;
    std::optional<double> seconds;
    QDateTime changedAt;
};

// Told of every checked answer, so that the shell can keep the child's
// history. A session starts at each 开始, 开始复习 or 判卷.
class AnswerListener {
public:
    virtual ~AnswerListener() = default;
    virtual void SessionStarted(const PracticeSetting &setting) = 0;
    virtual void Answered(const CheckedAnswer &answer) = 0;
    // The exam's own score; a drill's is worked from its answers.
    virtual void SessionScored(qint64 score) = 0;
};

#pragma once

#include "arithmetic/AnswerListener.h"
#include "arithmetic/Presets.h"
#include "arithmetic/Problem.h"

#include <QString>
#include <optional>

// What 今日练习 asks of the program around the drill: the child's unit, the
// session's problems one at a time (a missed one comes again), and at the
// end what changed today.
class DailyCourse {
public:
    virtual ~DailyCourse() = default;

    // The unit practised, shown as a chosen preset is.
    virtual PresetPick Unit() const = 0;
    // A new session from what the child knows now.
    virtual void Begin() = 0;
    // The next problem; none once the session is over.
    virtual std::optional<Problem> Next() = 0;
    virtual void Answered(const CheckedAnswer &answer) = 0;
    // After the last answer: "新学会 3 个：7+6 8+5 9+4", or a kind line when
    // nothing changed; then, when the unit is mastered, the move to the next.
    struct Ending {
        QString learned;
        QString mastered;
    };
    virtual Ending End() = 0;
};

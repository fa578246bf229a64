#pragma once

// Right answers in a row, and the stars they earn: every ten in a row, one
// star; a wrong answer starts the row again.
class AnswerStreak {
public:
    static constexpr int RunForAStar = 10;

    // Returns whether this answer earned a star.
    bool Answered(bool right);
    // A new drill: the row starts again, the stars stay.
    void BreakRun() { run_ = 0; }

    int Stars() const { return stars_; }

private:
    int run_ = 0;
    int stars_ = 0;
};

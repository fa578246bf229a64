#include "arithmetic/AnswerStreak.h"

bool AnswerStreak::Answered(bool right)
{
    if (!right) {
        run_ = 0;
        return false;
    }
    if (++run_ < RunForAStar)
        return false;
    run_ = 0;
    ++stars_;
    return true;
}

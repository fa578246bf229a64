#include "arithmetic/DrillTally.h"

void DrillTally::AddRight(const QString &line)
{
    ++rightCount_;
    ++totalCount_;
    rightLines_.append(line);
}

void DrillTally::AddWrong(const QString &line, const QString &rightAnswer)
{
    rightAnswers_.append(rightAnswer);
    ++wrongCount_;
    ++totalCount_;
    wrongLines_.append(line);
}

void DrillTally::Clear()
{
    rightCount_ = 0;
    wrongCount_ = 0;
    totalCount_ = 0;
    rightLines_.clear();
    wrongLines_.clear();
    rightAnswers_.clear();
}

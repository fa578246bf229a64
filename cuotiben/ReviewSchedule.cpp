#include "cuotiben/ReviewSchedule.h"

#include "cuotiben/NotebookEntry.h"

#include <algorithm>
#include <array>

QDate SystemToday()
{
    return QDate::currentDate();
}

namespace ReviewSchedule {
namespace {

// Days until the next review after the first, second, third and fourth right answer.
constexpr std::array<int, RightAnswersToConquer - 1> kDaysAfterRight{3, 7, 14, 30};

}  // namespace

bool IsDue(const NotebookEntry &entry, QDate today)
{
    // A review further ahead than the longest interval was set while the
    // clock ran ahead; waiting for it would keep the problem away as long.
    return !entry.Conquered() && (entry.Due <= today || entry.Due > today.addDays(kDaysAfterRight.back()));
}

void StartOver(NotebookEntry &entry, const QString &answer, QDate today)
{
    entry.Answer = answer;
    entry.Missed = today;
    entry.RightCount = 0;
    entry.Due = today.addDays(1);
}

bool AnsweredRight(NotebookEntry &entry, QDate today)
{
    if (!IsDue(entry, today))
        return false;
    ++entry.RightCount;
    if (entry.RightCount >= RightAnswersToConquer)
        entry.Due = QDate();
    else
        entry.Due = today.addDays(kDaysAfterRight[std::max(entry.RightCount, 1) - 1]);
    return true;
}

void Conquer(NotebookEntry &entry)
{
    entry.Due = QDate();
}

}  // namespace ReviewSchedule

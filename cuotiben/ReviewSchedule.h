#pragma once

#include <QDate>
#include <functional>

class QString;
struct NotebookEntry;

// Today's date; tests give a fixed or moving day instead of the system's.
using Clock = std::function<QDate()>;
QDate SystemToday();

// When a missed problem comes back: the day after it was missed; after each
// right answer on a due day 3, 7, 14 and then 30 days later; the right
// answer at the 30-day review conquers it. A wrong answer starts it over.
// Days count from the day of the answer, so an entry answered late keeps its
// intervals. An entry kept by an older copy of the program, whose ladder
// ended after 7 days, goes on up this one from where it stands; one it
// conquered stays conquered.
namespace ReviewSchedule {

inline constexpr int RightAnswersToConquer = 5;

// Due on today, or overdue, or set for further ahead than any interval
// allows (by a clock that was wrong); a conquered entry never is.
bool IsDue(const NotebookEntry &entry, QDate today);

// Missed (again) today with this answer: no right answers, due tomorrow.
void StartOver(NotebookEntry &entry, const QString &answer, QDate today);

// A right answer today. Only one on a due day moves the entry on; returns
// whether it did.
bool AnsweredRight(NotebookEntry &entry, QDate today);

// Conquered at once: its fact became 牢固. The right answers stay as counted.
void Conquer(NotebookEntry &entry);

}  // namespace ReviewSchedule

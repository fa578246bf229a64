#include "shell/DailyPractice.h"

#include "arithmetic/FactHistory.h"
#include "arithmetic/FactSets.h"
#include "arithmetic/TodayUnit.h"
#include "storage/HistoryStore.h"

#include <utility>

DailyPractice::DailyPractice(HistoryStore &store, int child, const PresetPick &unit, NotebookLink notebook,
                             std::function<QDate()> today)
    : store_(store), child_(child), unit_(unit), notebook_(std::move(notebook)), today_(std::move(today))
{
}

QString DailyPractice::KindLine()
{
    return QStringLiteral("今天的练习做完了！天天练一练，会越算越快。");
}

void DailyPractice::Begin()
{
    // The answers of an earlier session today belong in the plan; rows that
    // cannot be written yet wait for the drill's own saves, which report them.
    (void)store_.Write();
    const QList<FactRecord> records = UnitRecords(store_, child_, unit_);
    masteredBefore_ = IsMastered(records);
    RandomSource source;
    source.Reseed();
    session_.emplace(unit_, records, notebook_.due(today_()), source);
}

std::optional<Problem> DailyPractice::Next()
{
    if (!session_ || session_->Done())
        return std::nullopt;
    return session_->Current().Question;
}

void DailyPractice::Answered(const CheckedAnswer &answer)
{
    if (!session_ || session_->Done())
        return;
    if (session_->Current().Review)
        notebook_.reviewed(answer.problem, answer.right, answer.answer);
    session_->Answered(answer.right, answer.seconds, today_());
}

DailyCourse::Ending DailyPractice::End()
{
    if (!session_)
        return {};
    for (int fact : session_->NewlySolid())
        notebook_.solid(AllFacts().at(fact).Question);
    Ending ending;
    ending.learned = session_->LearntSentence();
    if (ending.learned.isEmpty())
        ending.learned = KindLine();
    if (!masteredBefore_ && IsMastered(session_->Records())) {
        if (const std::optional<PresetPick> next = NextUnit(unit_))
            ending.mastered = MasteredSentence(unit_, *next);
    }
    return ending;
}

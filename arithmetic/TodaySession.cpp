#include "arithmetic/TodaySession.h"

#include "arithmetic/AnswerValue.h"
#include "arithmetic/FactHistory.h"
#include "arithmetic/FactSets.h"
#include "arithmetic/ProblemTexts.h"

#include <QStringList>
#include <algorithm>

namespace {

// Problems planned beyond the session's length, so that re-asks taking
// places and problems held back from beside their twins never leave it short.
constexpr int kReserve = TodaySession::Length;

template <typename T>
void Shuffle(QList<T> &list, RandomSource &source)
{
    for (qsizetype k = list.size() - 1; k > 0; --k)
        list.swapItemsAt(k, static_cast<qsizetype>(source.Below(static_cast<std::uint32_t>(k + 1))));
}

// count picks from the pool, going round it in a new order each time.
QList<int> Cycle(const QList<int> &pool, int count, RandomSource &source)
{
    QList<int> picks;
    while (!pool.isEmpty() && picks.size() < count) {
        QList<int> round = pool;
        Shuffle(round, source);
        picks.append(round.mid(0, count - picks.size()));
    }
    return picks;
}

// "7+6", as the end of the session lists it.
QString ShortText(const Problem &problem)
{
    QString text = ListedText(problem);
    text.remove(QLatin1Char(' '));
    if (text.endsWith(QLatin1Char('=')))
        text.chop(1);
    return text;
}

}  // namespace

TodaySession::TodaySession(const PresetPick &unit, const QList<FactRecord> &records, const QList<Problem> &dueReviews,
                           RandomSource source)
    : unit_(unit), source_(source), facts_(UnitFacts(unit)), records_(records)
{
    records_.resize(facts_.isEmpty() ? 1 : facts_.size());
    for (const FactRecord &record : records_)
        before_.append(record.State());
    const QList<Problem> reviews = dueReviews.mid(0, MostReviews);
    for (int k = 0; k < reviews.size(); ++k) {
        Item item{reviews.at(k), FactOfProblem(reviews.at(k)), true, false};
        if (item.Fact && !facts_.contains(*item.Fact))
            item.Fact.reset();
        placed_.insert(k, {item, k, k});
    }
    const int count = Length - static_cast<int>(reviews.size()) + kReserve;
    if (facts_.isEmpty())
        PlanOpen(count);
    else
        PlanClosed(count);
    ShowNext();
}

void TodaySession::PlanOpen(int count)
{
    const Preset *preset = PresetOf(unit_);
    if (!preset)
        return;
    for (const Problem &problem : DrawPaper(*preset, unit_.Choice, count, source_))
        planned_.append({problem, std::nullopt, false, false});
}

void TodaySession::PlanClosed(int count)
{
    const bool firstTime =
        std::all_of(before_.cbegin(), before_.cend(), [](FactState s) { return s == FactState::NotLearnt; });
    if (firstTime) {
        // Each fact once, then round again.
        QList<int> order;
        for (int k = 0; k < facts_.size(); ++k)
            order.append(k);
        for (const int slot : Cycle(order, count, source_))
            planned_.append({AllFacts().at(facts_.at(slot)).Question, facts_.at(slot), false, false});
        return;
    }
    QList<int> learning;
    QList<int> solid;
    QList<int> weak;
    QList<int> fresh;
    for (int k = 0; k < before_.size(); ++k) {
        switch (before_.at(k)) {
        case FactState::NotLearnt:
            fresh.append(k);
            break;
        case FactState::Unknown:
            weak.append(k);
            break;
        case FactState::Solid:
            solid.append(k);
            break;
        default:
            learning.append(k);
            break;
        }
    }
    Shuffle(fresh, source_);
    weak.append(fresh.mid(0, MostNewFacts));
    // Facts already 牢固 only when the others run short.
    const int own = Length - static_cast<int>(placed_.size());
    QList<int> known = learning;
    if (known.size() * 4 < own * 3)
        known.append(solid);
    // The session's own share first, the reserve composed alike.
    planned_.append(Composed(own, weak, known));
    planned_.append(Composed(count - own, weak, known));
}

QList<TodaySession::Item> TodaySession::Composed(int count, const QList<int> &weak, const QList<int> &known)
{
    const int weakCount = weak.isEmpty() ? 0 : known.isEmpty() ? count : (count + 2) / 4;
    QList<int> picks = Cycle(weak, weakCount, source_);
    picks.append(Cycle(known, count - static_cast<int>(picks.size()), source_));
    Shuffle(picks, source_);
    QList<Item> items;
    for (const int slot : picks)
        items.append({AllFacts().at(facts_.at(slot)).Question, facts_.at(slot), false, false});
    return items;
}

bool TodaySession::Done() const
{
    return asked_ >= Length || asked_ >= shown_.size();
}

const TodaySession::Item &TodaySession::Current() const
{
    return shown_.at(asked_);
}

void TodaySession::ShowNext()
{
    const int at = static_cast<int>(shown_.size());
    if (at >= Length)
        return;
    if (const auto found = placed_.constFind(at); found != placed_.cend()) {
        shown_.append(found->item);
        return;
    }
    const auto differs = [this](const Item &item, int from) {
        if (from >= 0 && from < shown_.size())
            return shown_.at(from).Question != item.Question;
        const auto found = placed_.constFind(from);
        return found == placed_.cend() || found->item.Question != item.Question;
    };
    const auto waits = [this, at](const Item &item) {
        for (auto k = placed_.upperBound(at); k != placed_.cend(); ++k) {
            if (k->item.Again && k->item.Question == item.Question)
                return true;
        }
        return false;
    };
    // The rules one by one loosened, for a unit of very few problems.
    for (int strictness = 2; strictness >= 0; --strictness) {
        for (qsizetype k = 0; k < planned_.size(); ++k) {
            const Item &item = planned_.at(k);
            if (strictness >= 0 && !differs(item, at - 1))
                continue;
            if (strictness >= 1 && !differs(item, at + 1))
                continue;
            if (strictness >= 2 && waits(item))
                continue;
            shown_.append(planned_.takeAt(k));
            return;
        }
    }
}

std::optional<qsizetype> TodaySession::SlotOf(const Item &item) const
{
    if (facts_.isEmpty())
        return 0;
    if (!item.Fact)
        return std::nullopt;
    const qsizetype slot = facts_.indexOf(*item.Fact);
    return slot < 0 ? std::nullopt : std::optional<qsizetype>(slot);
}

int TodaySession::FluentMillisOf(const Item &item) const
{
    if (item.Fact)
        return FactFluentMillis(*item.Fact);
    const Preset *preset = PresetOf(unit_);
    return FluentMillis(preset ? GradeOfTerm(preset->Term) : 1, AnswerDigits(AnswerText(item.Question.Expected())));
}

void TodaySession::Answered(bool right, std::optional<double> seconds, QDate day)
{
    if (Done())
        return;
    const Item item = shown_.at(asked_);
    if (const std::optional<qsizetype> slot = SlotOf(item)) {
        std::optional<int> millis;
        if (seconds)
            millis = static_cast<int>(*seconds * 1000.0 + 0.5);
        FactRecord &record = records_[*slot];
        record.Add({right, millis, day}, FluentMillisOf(item));
        const int s = static_cast<int>(*slot);
        if (IsKnown(record.State()) && !knownOrder_.contains(s))
            knownOrder_.append(s);
        if (record.State() == FactState::Solid && !solidOrder_.contains(s))
            solidOrder_.append(s);
    }
    if (!right)
        AskAgain(item);
    ++asked_;
    ShowNext();
}

int TodaySession::FreeFrom(int at) const
{
    while (placed_.contains(at))
        ++at;
    return at;
}

void TodaySession::AskAgain(const Item &missed)
{
    // A new miss starts its re-asks over.
    for (auto k = placed_.begin(); k != placed_.end();) {
        if (k.key() > asked_ && k->item.Again && k->item.Question == missed.Question)
            k = placed_.erase(k);
        else
            ++k;
    }
    Item again = missed;
    again.Review = false;
    again.Again = true;
    // The first re-ask keeps its place: another's second one there moves
    // within its range, or just past it when the range is full.
    const int wanted = asked_ + FirstGap + 1;
    if (const auto taken = placed_.find(wanted); taken != placed_.end() && taken->least < taken->most) {
        const Placed moved = *taken;
        placed_.erase(taken);
        int at = moved.least;
        while (at <= moved.most && (at == wanted || placed_.contains(at)))
            ++at;
        if (at > moved.most)
            at = FreeFrom(std::max(wanted + 1, moved.most + 1));
        if (at < Length)
            placed_.insert(at, moved);
    }
    const int first = FreeFrom(wanted);
    // The second somewhere in its range, where no other re-ask is.
    const int least = first + SecondGapLeast + 1;
    const int most = first + SecondGapMost + 1;
    const int spread = most - least + 1;
    const int start = static_cast<int>(source_.Below(static_cast<std::uint32_t>(spread)));
    int second = -1;
    for (int k = 0; k < spread && second < 0; ++k) {
        const int at = least + (start + k) % spread;
        if (!placed_.contains(at))
            second = at;
    }
    if (first < Length)
        placed_.insert(first, {again, first, first});
    if (second < 0)
        second = FreeFrom(most + 1);
    if (second < Length)
        placed_.insert(second, {again, std::max(least, asked_ + 1), most});
}

QList<int> TodaySession::Reached(const QList<int> &order, bool solid) const
{
    QList<int> facts;
    for (const int slot : order) {
        const FactState now = records_.at(slot).State();
        const FactState was = before_.at(slot);
        const bool reached = solid ? now == FactState::Solid && was != FactState::Solid : IsKnown(now) && !IsKnown(was);
        if (reached && !facts_.isEmpty())
            facts.append(facts_.at(slot));
    }
    return facts;
}

QList<int> TodaySession::NewlyKnown() const
{
    return Reached(knownOrder_, false);
}

QList<int> TodaySession::NewlySolid() const
{
    return Reached(solidOrder_, true);
}

QString TodaySession::LearntSentence() const
{
    QStringList texts;
    if (facts_.isEmpty()) {
        const Preset *preset = PresetOf(unit_);
        if (preset && !knownOrder_.isEmpty() && IsKnown(records_.first().State()) && !IsKnown(before_.first()))
            texts.append(PresetTitle(*preset, unit_.Choice));
    } else {
        for (const int fact : NewlyKnown())
            texts.append(ShortText(AllFacts().at(fact).Question));
    }
    if (texts.isEmpty())
        return {};
    return QStringLiteral("新学会 %1 个：%2").arg(texts.size()).arg(texts.join(QLatin1Char(' ')));
}

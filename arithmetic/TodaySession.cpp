#include "arithmetic/TodaySession.h"

#include "arithmetic/AnswerValue.h"
#include "arithmetic/FactHistory.h"
#include "arithmetic/FactSets.h"
#include "arithmetic/ProblemTexts.h"

#include <QStringList>
#include <algorithm>

namespace {

// Problems planned beyond the session's length, so that a re-ask pushing
// the plan on or a repeat taken out never leaves it short.
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
    const qsizetype wanted = facts_.isEmpty() ? 1 : facts_.size();
    records_.resize(wanted);
    for (const FactRecord &record : records_)
        before_.append(record.State());
    for (const Problem &review : dueReviews.mid(0, MostReviews)) {
        Item item{review, FactOfProblem(review), true, false};
        if (item.Fact && !facts_.contains(*item.Fact))
            item.Fact.reset();
        plan_.append(item);
    }
    const int count = Length - static_cast<int>(plan_.size()) + kReserve;
    if (facts_.isEmpty())
        PlanOpen(count);
    else
        PlanClosed(count);
    Separate(1);
}

void TodaySession::PlanOpen(int count)
{
    const Preset *preset = PresetOf(unit_);
    if (!preset)
        return;
    for (const Problem &problem : DrawPaper(*preset, unit_.Choice, count, source_))
        plan_.append({problem, std::nullopt, false, false});
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
            plan_.append({AllFacts().at(facts_.at(slot)).Question, facts_.at(slot), false, false});
        return;
    }
    // The session's own share first, the reserve composed alike.
    const int first = Length - static_cast<int>(plan_.size());
    plan_.append(Composed(first));
    plan_.append(Composed(count - first));
}

QList<TodaySession::Item> TodaySession::Composed(int count)
{
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
    QList<int> known = learning;
    if (known.size() * 4 < count * 3)
        known.append(solid);
    int weakCount = weak.isEmpty() ? 0 : known.isEmpty() ? count : (count + 2) / 4;
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
    return asked_ >= Length || asked_ >= plan_.size();
}

const TodaySession::Item &TodaySession::Current() const
{
    return plan_.at(asked_);
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
    const Item item = plan_.at(asked_);
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
}

void TodaySession::AskAgain(const Item &missed)
{
    // A new miss starts its re-asks over; the same problem planned later is
    // asked in them instead.
    for (qsizetype k = plan_.size() - 1; k > asked_; --k) {
        if (plan_.at(k).Question == missed.Question)
            plan_.removeAt(k);
    }
    Item again = missed;
    again.Again = true;
    const qsizetype first = asked_ + FirstGap + 1;
    const int gap = SecondGapLeast + static_cast<int>(source_.Below(SecondGapMost - SecondGapLeast + 1));
    const qsizetype second = first + gap + 1;
    if (first <= plan_.size())
        plan_.insert(first, again);
    if (second <= plan_.size())
        plan_.insert(second, again);
    Separate(asked_ + 1);
}

bool TodaySession::Fixed(qsizetype at) const
{
    return plan_.at(at).Again || plan_.at(at).Review;
}

bool TodaySession::Same(qsizetype a, qsizetype b) const
{
    return plan_.at(a).Question == plan_.at(b).Question;
}

void TodaySession::Separate(qsizetype from)
{
    // Only planned problems not yet asked move: a re-ask keeps its distance
    // from its miss, and the 错题本's problems stay first.
    for (qsizetype k = std::max<qsizetype>(from, 1); k < plan_.size(); ++k) {
        if (!Same(k - 1, k))
            continue;
        const qsizetype moving = !Fixed(k) ? k : (k - 1 >= from && !Fixed(k - 1) ? k - 1 : -1);
        if (moving < 0)
            continue;
        bool moved = false;
        for (qsizetype j = k + 1; j < plan_.size() && !moved; ++j) {
            if (Fixed(j))
                continue;
            plan_.swapItemsAt(moving, j);
            const auto clear = [this](qsizetype at) {
                return (at == 0 || !Same(at - 1, at)) && (at + 1 >= plan_.size() || !Same(at, at + 1));
            };
            moved = clear(moving) && clear(j);
            if (!moved)
                plan_.swapItemsAt(moving, j);
        }
        if (!moved) {
            plan_.removeAt(moving);
            k = std::max<qsizetype>(from, 1) - 1;
        }
    }
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

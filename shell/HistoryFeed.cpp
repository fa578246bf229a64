#include "shell/HistoryFeed.h"

#include "arithmetic/DrillScore.h"
#include "arithmetic/ProblemTexts.h"
#include "storage/HistoryQueries.h"
#include "notices/Notices.h"
#include "storage/HistoryStore.h"
#include "storage/SaveRetry.h"

#include <QDateTime>

namespace {

QString SettingText(const PracticeSetting &setting)
{
    if (setting.daily)
        return HistoryQueries::DailySettingText();
    if (setting.rangeBound == 0)
        return QStringLiteral("错题复习");
    return QStringLiteral("%1以内 %2").arg(setting.rangeBound).arg(
        QString::fromUtf8(OperationItems.at(static_cast<std::size_t>(setting.operation))));
}

}  // namespace

HistoryFeed::HistoryFeed(HistoryStore &store, SaveRetry &saves, int child, HistoryOrigin origin)
    : store_(store), saves_(saves), child_(child), origin_(origin)
{
}

void HistoryFeed::SessionStarted(const PracticeSetting &setting)
{
    EndSession();
    SessionRow session;
    session.id = HistoryStore::NewSessionId();
    session.child = child_;
    session.origin = origin_;
    session.started = setting.paperStarted.isValid() ? setting.paperStarted : QDateTime::currentDateTime();
    session.presetId = setting.presetId;
    session.presetName = setting.presetName;
    session.targetPerMinute = setting.targetPerMinute;
    session.targetAccuracy = setting.targetAccuracy;
    session.setting = SettingText(setting);
    session_ = session;
}

void HistoryFeed::Answered(const CheckedAnswer &answer)
{
    if (!session_)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    session_->total += 1;
    session_->right += answer.right ? 1 : 0;
    session_->ended = now;
    if (origin_ != HistoryOrigin::Exam)
        session_->score = DrillScore(session_->right, session_->total);
    std::optional<int> millis;
    if (answer.seconds)
        millis = static_cast<int>(*answer.seconds * 1000.0 + 0.5);
    store_.Keep(*session_);
    store_.Keep(AnswerRow{session_->id, child_, origin_, answer.changedAt.isValid() ? answer.changedAt : now,
                          HistoryText(answer.problem), answer.answer.left(32),
                          answer.right, millis});
    saves_.Changed();
}

void HistoryFeed::SessionScored(qint64 score)
{
    if (!session_ || session_->total == 0)
        return;
    session_->score = score;
    store_.Keep(*session_);
    saves_.Changed();
}

void HistoryFeed::EndSession()
{
    if (session_ && session_->total > 0) {
        session_->ended = QDateTime::currentDateTime();
        store_.Keep(*session_);
        saves_.Changed();
    }
    session_.reset();
}

void HistoryFeed::WindowClosed()
{
    EndSession();
    saves_.WindowClosed();
    if (const std::optional<QString> notice = store_.TakeNotice())
        Notices::ShowNotice(*notice);
}

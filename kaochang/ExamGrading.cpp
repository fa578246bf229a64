#include "kaochang/ExamGrading.h"

#include "arithmetic/AnswerValue.h"
#include "arithmetic/PercentScore.h"

bool AnswerIsRight(const QString &typed, std::int32_t expected)
{
    return typed == QString::number(expected);
}

qint64 ExamScore(int rightCount, int questionCount)
{
    return PercentScore(rightCount, questionCount, ScoreFormat::Double);
}

ExamGrade GradeAnswers(const QStringList &typed, const ExamPaper &paper)
{
    ExamGrade grade;
    grade.Right.reserve(paper.size());
    grade.NotReduced.reserve(paper.size());
    for (qsizetype k = 0; k < paper.size(); ++k) {
        const Problem &problem = paper.at(k).Form;
        const AnswerKind kind = problem.Kind();
        bool right = false;
        bool notReduced = false;
        if (kind == AnswerKind::Whole || kind == AnswerKind::QuotientRemainder) {
            // A remainder written "7...3" or "7余3" counts as the "7……3" the
            // box shows; a whole number is compared as typed.
            right = TidiedAnswerText(typed.at(k), kind) == AnswerText(problem.Expected());
        } else {
            const std::optional<Verdict> verdict = Judge(typed.at(k), problem.Expected(), paper.at(k).LowestTerms);
            right = verdict == Verdict::Right;
            notReduced = verdict == Verdict::NotReduced;
        }
        grade.Right.append(right);
        grade.NotReduced.append(notReduced);
        if (right)
            ++grade.RightCount;
    }
    grade.Score = ExamScore(grade.RightCount, static_cast<int>(paper.size()));
    return grade;
}

#include "kaochang/ExamGrading.h"

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
    for (qsizetype k = 0; k < paper.size(); ++k) {
        // A remainder written "7...3" or "7余3" counts as the "7……3" the box
        // shows; everything else is compared as typed.
        const Problem &problem = paper.at(k).Form;
        const bool right = TidiedAnswerText(typed.at(k), problem.Kind()) == AnswerText(problem.Expected());
        grade.Right.append(right);
        if (right)
            ++grade.RightCount;
    }
    grade.Score = ExamScore(grade.RightCount, static_cast<int>(paper.size()));
    return grade;
}

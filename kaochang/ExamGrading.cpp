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
        const bool right = AnswerIsRight(typed.at(k), paper.at(k).Answer);
        grade.Right.append(right);
        if (right)
            ++grade.RightCount;
    }
    grade.Score = ExamScore(grade.RightCount, static_cast<int>(paper.size()));
    return grade;
}

#include "kaochang/ExamPaper.h"

#include "arithmetic/ProblemTexts.h"

ExamPaper DrawPaper(int N, std::int32_t R, OperationChoice choice, RandomSource &source)
{
    ExamPaper paper;
    paper.reserve(N);
    for (int i = 0; i < N; ++i) {
        const ArithProblem problem = DrawProblem(R, choice, source);
        paper.append({problem.FirstOperand, problem.SecondOperand, problem.Answer, ExamProblemText(problem),
                      problem.OperatorCode, Problem::From(problem)});
    }
    return paper;
}

namespace {

ExamPaper OfQuestions(const QList<PaperQuestion> &questions)
{
    ExamPaper paper;
    paper.reserve(questions.size());
    for (const auto &[problem, lowestTerms] : questions) {
        // The plain operands mean something only for whole terms; Form holds the rest.
        paper.append({problem.Terms[0].Value.Numerator(), problem.Terms[1].Value.Numerator(),
                      problem.Expected().Number.Numerator(), PrintedText(problem), problem.Signs[0], problem,
                      lowestTerms});
    }
    return paper;
}

}  // namespace

ExamPaper GeneratePresetPaper(int N, const Preset &preset, int choice, RandomSource &source)
{
    source.Reseed();
    QList<PaperQuestion> questions;
    for (const Problem &problem : DrawPaper(preset, choice, N, source))
        questions.append({problem, preset.WantsLowestTerms});
    return OfQuestions(questions);
}

ExamPaper GenerateRecipePaper(const Recipe &recipe, RandomSource &source)
{
    source.Reseed();
    return OfQuestions(DrawRecipePaper(recipe, source));
}

ExamPaper GeneratePaper(int N, std::int32_t R, OperationChoice choice, RandomSource &source)
{
    source.Reseed();
    return DrawPaper(N, R, choice, source);
}

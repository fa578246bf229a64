#include "cuotiben/NotebookEntry.h"

QString MissSourceText(MissSource source)
{
    switch (source) {
    case MissSource::Practice:
        return QStringLiteral("练习");
    case MissSource::Competition:
        return QStringLiteral("竞技");
    case MissSource::Exam:
        break;
    }
    return QStringLiteral("考试");
}

std::uint64_t ProblemKey(const ArithProblem &problem)
{
    // Two operands below 2^31 and one of four operators fill 64 bits exactly.
    const auto first = static_cast<std::uint64_t>(static_cast<std::uint32_t>(problem.FirstOperand));
    const auto second = static_cast<std::uint64_t>(static_cast<std::uint32_t>(problem.SecondOperand));
    const auto op = static_cast<std::uint64_t>(static_cast<std::int32_t>(problem.OperatorCode) - 1) & 3;
    return (first << 33) ^ (second << 2) ^ op;
}

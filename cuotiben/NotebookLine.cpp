#include "cuotiben/NotebookLine.h"

#include "arithmetic/ProblemTexts.h"
#include "cuotiben/ReviewSchedule.h"
#include "storage/GbkText.h"

#include <array>
#include <cstdint>
#include <limits>

namespace NotebookLine {
namespace {

constexpr char kTab = '\t';
constexpr int kFieldCount = 6;
constexpr int kWholeFormFieldCount = 7;
const QString kCut = QStringLiteral("…");

// The fixed texts of a line, each encoded once.
const QByteArray &SourceBytes(MissSource source)
{
    static const std::array<QByteArray, 3> bytes{*GbkText::Encode(MissSourceText(MissSource::Practice)),
                                                 *GbkText::Encode(MissSourceText(MissSource::Competition)),
                                                 *GbkText::Encode(MissSourceText(MissSource::Exam))};
    return bytes[static_cast<std::size_t>(source)];
}

// Every kind of answer, in AnswerKind's order, as the seventh field names it.
const std::array<QByteArray, 5> &KindNames()
{
    static const std::array<QByteArray, 5> names{
        *GbkText::Encode(QStringLiteral("整数")), *GbkText::Encode(QStringLiteral("商余数")),
        *GbkText::Encode(QStringLiteral("小数")), *GbkText::Encode(QStringLiteral("分数")),
        *GbkText::Encode(QStringLiteral("百分数"))};
    return names;
}

const QByteArray &KindBytes(AnswerKind kind)
{
    return KindNames().at(static_cast<std::size_t>(kind));
}

std::optional<AnswerKind> ReadKind(QByteArrayView field)
{
    for (std::size_t k = 0; k < KindNames().size(); ++k) {
        if (field == KindNames().at(k))
            return static_cast<AnswerKind>(k);
    }
    return std::nullopt;
}

// A decimal, fraction or percent problem: its record line without the
// answer, as ProblemOfText reads it ("3/4÷3=", "0.5+0.3=", "25%×40="), of
// the kind the line names.
std::optional<Problem> ReadNumberForm(QByteArrayView field, AnswerKind kind)
{
    const std::optional<Problem> problem = ProblemOfText(GbkText::LineDecoder()(field));
    if (!problem || problem->Kind() != kind)
        return std::nullopt;
    return problem;
}

const QByteArray &ConqueredBytes()
{
    static const QByteArray bytes = *GbkText::Encode(QStringLiteral("已消灭"));
    return bytes;
}

bool IsPlainAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F)
            return false;
    }
    return true;
}

QByteArray DateBytes(QDate date)
{
    return date.toString(Qt::ISODate).toLatin1();
}

std::optional<QDate> ReadDate(QByteArrayView field)
{
    const QDate date = QDate::fromString(QString::fromLatin1(field), Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// Digits only, no sign and no leading zero (the written form is checked
// afterwards), 1 to 2^31 - 1.
std::optional<std::int32_t> ReadOperand(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<Operator> ReadOperator(char sign)
{
    for (const Operator op :
         {Operator::Addition, Operator::Subtraction, Operator::Multiplication, Operator::Division}) {
        if (OperatorText(op).front() == sign)
            return op;
    }
    return std::nullopt;
}

// "9*3": the answer is worked out, and must be a whole 32-bit number.
std::optional<ArithProblem> ReadProblem(QByteArrayView field)
{
    qsizetype at = 0;
    while (at < field.size() && field[at] >= '0' && field[at] <= '9')
        ++at;
    if (at >= field.size())
        return std::nullopt;
    const std::optional<std::int32_t> first = ReadOperand(field.first(at));
    const std::optional<Operator> op = ReadOperator(field[at]);
    const std::optional<std::int32_t> second = ReadOperand(field.sliced(at + 1));
    if (!first || !op || !second || (*op == Operator::Division && *first % *second != 0))
        return std::nullopt;
    const std::optional<std::int32_t> answer = Apply(*first, *op, *second);
    if (!answer)
        return std::nullopt;
    return ArithProblem{*first, *op, *second, *answer};
}

// Digits, 0 too; the written form is checked afterwards.
std::optional<std::int32_t> ReadNumber(QByteArrayView field, qsizetype &at)
{
    const qsizetype start = at;
    while (at < field.size() && field[at] >= '0' && field[at] <= '9')
        ++at;
    if (at == start || at - start > 9)
        return std::nullopt;
    return static_cast<std::int32_t>(field.sliced(start, at - start).toInt());
}

// A blank's value from the result: a ∘ □ = r or □ ∘ b = r; nothing when it
// leaves 32 bits.
std::optional<std::int32_t> SolveBlank(std::int32_t a, Operator op, std::int32_t b, int blank, std::int32_t r)
{
    const std::int32_t known = blank == 0 ? b : a;
    switch (op) {
    case Operator::Addition:
        return Apply(r, Operator::Subtraction, known);
    case Operator::Subtraction:
        return blank == 0 ? Apply(r, Operator::Addition, b) : Apply(a, Operator::Subtraction, r);
    case Operator::Multiplication:
        return Apply(r, Operator::Division, known);
    case Operator::Division:
        break;
    }
    return blank == 0 ? Apply(r, Operator::Multiplication, b) : Apply(a, Operator::Division, r);
}

// "8-3+4=", "62-(25+15)=", "()+3=10", "38/5=": the record line of a problem
// without its answer.
std::optional<Problem> ReadWholeForm(QByteArrayView field, AnswerKind kind)
{
    std::array<std::int32_t, 3> terms{};
    std::array<Operator, 2> signs{Operator::Addition, Operator::Addition};
    int count = 0;
    int blank = Problem::BlankAnswer;
    Brackets group = Brackets::None;
    qsizetype at = 0;
    for (;;) {
        if (count == 3 || at >= field.size())
            return std::nullopt;
        if (field.sliced(at).startsWith("()")) {
            blank = count;
            at += 2;
        } else {
            if (field[at] == '(') {
                group = count == 0 ? Brackets::FirstTwo : Brackets::LastTwo;
                ++at;
            }
            const std::optional<std::int32_t> term = ReadNumber(field, at);
            if (!term)
                return std::nullopt;
            terms[static_cast<std::size_t>(count)] = *term;
        }
        ++count;
        if (at < field.size() && field[at] == ')')
            ++at;
        if (at >= field.size())
            return std::nullopt;
        if (field[at] == '=')
            break;
        const std::optional<Operator> sign = count < 3 ? ReadOperator(field[at]) : std::nullopt;
        if (!sign)
            return std::nullopt;
        signs[static_cast<std::size_t>(count - 1)] = *sign;
        ++at;
    }
    ++at;
    if (blank != Problem::BlankAnswer) {
        const std::optional<std::int32_t> result = ReadNumber(field, at);
        if (!result || count != 2)
            return std::nullopt;
        const std::optional<std::int32_t> solved = SolveBlank(terms[0], signs[0], terms[1], blank, *result);
        if (!solved)
            return std::nullopt;
        terms[static_cast<std::size_t>(blank)] = *solved;
    }
    if (at != field.size() || count < 2)
        return std::nullopt;
    Problem p = count == 2 ? Problem::Of(terms[0], signs[0], terms[1])
                           : Problem::Of(terms[0], signs[0], terms[1], signs[1], terms[2], group);
    if (!p.Value())
        return std::nullopt;
    if (blank != Problem::BlankAnswer)
        p = p.WithBlank(blank);
    if (kind == AnswerKind::QuotientRemainder) {
        if (count != 2 || signs[0] != Operator::Division || terms[1] == 0)
            return std::nullopt;
        p.Result = AnswerValue::WithRemainder(terms[0] / terms[1], terms[0] % terms[1]);
    }
    return p;
}

std::optional<MissSource> ReadSource(QByteArrayView field)
{
    for (const MissSource source : {MissSource::Practice, MissSource::Competition, MissSource::Exam}) {
        if (field == SourceBytes(source))
            return source;
    }
    return std::nullopt;
}

QString ReadAnswerField(QByteArrayView field)
{
    bool ascii = true;
    for (const char c : field)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return QString::fromLatin1(field);
    return GbkText::LineDecoder()(field);
}

}  // namespace

QString OneLineAnswer(const QString &typed)
{
    if (IsPlainAscii(typed) && typed.size() <= MaxAnswerLength)
        return typed;
    QString line;
    int kept = 0;
    for (qsizetype i = 0; i < typed.size(); ++i, ++kept) {
        if (kept == MaxAnswerLength) {
            line += kCut;
            break;
        }
        const char16_t c = typed.at(i).unicode();
        if (c < 0x20 || c == 0x7F) {
            line += QLatin1Char(' ');
            continue;
        }
        if (c < 0x80) {
            line += QChar(c);
            continue;
        }
        // A character outside the BMP is a pair of code units.
        const qsizetype units =
            typed.at(i).isHighSurrogate() && i + 1 < typed.size() && typed.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString character = typed.mid(i, units);
        line += GbkText::Encode(character) ? character : QStringLiteral("?");
        i += units - 1;
    }
    return line;
}

QByteArray Write(const NotebookEntry &entry)
{
    QByteArray line;
    line.reserve(48);
    line += DateBytes(entry.Missed);
    line += kTab;
    line += SourceBytes(entry.Source);
    line += kTab;
    // Six fields keep a ∘ b of operands 1 or more, as every notebook has
    // always held them; anything else is written in its whole form.
    std::optional<ArithProblem> plain = AsArithProblem(entry.Problem);
    if (plain && (plain->FirstOperand < 1 || plain->SecondOperand < 1))
        plain.reset();
    if (plain) {
        line += QByteArray::number(plain->FirstOperand);
        line += OperatorText(plain->OperatorCode).front();
        line += QByteArray::number(plain->SecondOperand);
    } else {
        // "÷" and "×" of a fraction's problem are GBK, as the answer is.
        const QString written = RecordLine(entry.Problem, QString());
        line += IsPlainAscii(written) ? written.toLatin1() : GbkText::Encode(written).value_or(QByteArray());
    }
    line += kTab;
    const QString answer = OneLineAnswer(entry.Answer);
    line += IsPlainAscii(answer) ? answer.toLatin1() : GbkText::Encode(answer).value_or(QByteArray());
    line += kTab;
    line += QByteArray::number(entry.RightCount);
    line += kTab;
    line += entry.Conquered() ? ConqueredBytes() : DateBytes(entry.Due);
    if (!plain) {
        line += kTab;
        line += KindBytes(entry.Problem.Kind());
    }
    return line;
}

std::optional<NotebookEntry> Read(QByteArrayView line)
{
    const int fieldCount = static_cast<int>(line.count(kTab)) + 1;
    if (fieldCount != kFieldCount && fieldCount != kWholeFormFieldCount)
        return std::nullopt;
    QByteArrayView fields[kWholeFormFieldCount];
    qsizetype start = 0;
    for (int f = 0; f < fieldCount; ++f) {
        const qsizetype tab = f + 1 < fieldCount ? line.indexOf(kTab, start) : line.size();
        fields[f] = line.sliced(start, tab - start);
        start = tab + 1;
    }

    const std::optional<QDate> missed = ReadDate(fields[0]);
    const std::optional<MissSource> source = ReadSource(fields[1]);
    std::optional<Problem> problem;
    if (fieldCount == kFieldCount) {
        if (const std::optional<ArithProblem> plain = ReadProblem(fields[2]))
            problem = Problem::From(*plain);
    } else {
        const std::optional<AnswerKind> kind = ReadKind(fields[6]);
        if (kind == AnswerKind::Whole || kind == AnswerKind::QuotientRemainder)
            problem = ReadWholeForm(fields[2], *kind);
        else if (kind)
            problem = ReadNumberForm(fields[2], *kind);
    }
    if (!missed || !source || !problem || fields[4].size() != 1)
        return std::nullopt;
    NotebookEntry entry;
    entry.Problem = *problem;
    entry.Answer = ReadAnswerField(fields[3]);
    entry.Missed = *missed;
    entry.Source = *source;
    entry.RightCount = fields[4][0] - '0';
    if (fields[5] == ConqueredBytes()) {
        if (entry.RightCount != ReviewSchedule::RightAnswersToConquer)
            return std::nullopt;
    } else {
        const std::optional<QDate> due = ReadDate(fields[5]);
        if (!due || entry.RightCount < 0 || entry.RightCount >= ReviewSchedule::RightAnswersToConquer)
            return std::nullopt;
        entry.Due = *due;
    }
    // Only the exact form the program writes is its own: no leading zeros,
    // no other date style, no bytes that would read back differently.
    if (Write(entry) != line)
        return std::nullopt;
    return entry;
}

QList<QByteArray> Split(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype at = 0; at <= size; ++at) {
        if (at < size && bytes[at] != '\r' && bytes[at] != '\n')
            continue;
        if (at > start)
            lines.append(bytes.sliced(start, at - start).toByteArray());
        if (at + 1 < size && bytes[at] == '\r' && bytes[at + 1] == '\n')
            ++at;
        start = at + 1;
    }
    return lines;
}

}  // namespace NotebookLine

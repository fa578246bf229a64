#include "cuotiben/NotebookLine.h"

#include "cuotiben/ReviewSchedule.h"
#include "storage/GbkText.h"

#include <array>
#include <cstdint>
#include <limits>

namespace NotebookLine {
namespace {

constexpr char kTab = '\t';
constexpr int kFieldCount = 6;
const QString kCut = QStringLiteral("…");

// The fixed texts of a line, each encoded once.
const QByteArray &SourceBytes(MissSource source)
{
    static const std::array<QByteArray, 3> bytes{*GbkText::Encode(MissSourceText(MissSource::Practice)),
                                                 *GbkText::Encode(MissSourceText(MissSource::Competition)),
                                                 *GbkText::Encode(MissSourceText(MissSource::Exam))};
    return bytes[static_cast<std::size_t>(source)];
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
    if (!first || !op || !second)
        return std::nullopt;
    const std::int64_t a = *first;
    const std::int64_t b = *second;
    std::int64_t answer = 0;
    switch (*op) {
    case Operator::Addition:
        answer = a + b;
        break;
    case Operator::Subtraction:
        answer = a - b;
        break;
    case Operator::Multiplication:
        answer = a * b;
        break;
    case Operator::Division:
        if (a % b != 0)
            return std::nullopt;
        answer = a / b;
        break;
    }
    if (answer < std::numeric_limits<std::int32_t>::min() || answer > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return ArithProblem{*first, *op, *second, static_cast<std::int32_t>(answer)};
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
    line += QByteArray::number(entry.Problem.FirstOperand);
    line += OperatorText(entry.Problem.OperatorCode).front();
    line += QByteArray::number(entry.Problem.SecondOperand);
    line += kTab;
    const QString answer = OneLineAnswer(entry.Answer);
    line += IsPlainAscii(answer) ? answer.toLatin1() : GbkText::Encode(answer).value_or(QByteArray());
    line += kTab;
    line += QByteArray::number(entry.RightCount);
    line += kTab;
    line += entry.Conquered() ? ConqueredBytes() : DateBytes(entry.Due);
    return line;
}

std::optional<NotebookEntry> Read(QByteArrayView line)
{
    QByteArrayView fields[kFieldCount];
    qsizetype start = 0;
    for (int f = 0; f < kFieldCount; ++f) {
        const qsizetype tab = f + 1 < kFieldCount ? line.indexOf(kTab, start) : line.size();
        if (tab < 0)
            return std::nullopt;
        fields[f] = line.sliced(start, tab - start);
        start = tab + 1;
    }
    if (fields[kFieldCount - 1].contains(kTab))
        return std::nullopt;

    const std::optional<QDate> missed = ReadDate(fields[0]);
    const std::optional<MissSource> source = ReadSource(fields[1]);
    const std::optional<ArithProblem> problem = ReadProblem(fields[2]);
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

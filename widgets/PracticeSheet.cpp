#include "widgets/PracticeSheet.h"

#include "widgets/Fonts.h"
#include "widgets/MathText.h"
#include "widgets/Palette.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// Sizes on paper, in millimetres and points.
constexpr double kMarginMm = 15;
constexpr double kTitleMm = 16;
constexpr double kNameLineMm = 14;
constexpr double kFooterMm = 8;
constexpr double kQuestionRowMm = 11;     // room for a child's handwriting
constexpr double kAnswerRowMm = 9;
constexpr double kColumnGapMm = 5;
constexpr double kDigitToWriteMm = 4;     // one handwritten digit, at the least
constexpr double kNumberGapMm = 2;
constexpr int kMostQuestionColumns = 4;
constexpr int kAnswerColumns = 5;
constexpr double kTitlePt = 22;
constexpr double kNameLinePt = 12;
constexpr double kProblemPt = 15;
constexpr double kNumberPt = 11;
constexpr double kAnswerPt = 13;
constexpr double kFooterPt = 9;

const QColor kGrey{80, 80, 80};
const QColor kWritingLine{180, 180, 180};

const QString kEquals = QStringLiteral(" =");
const QString kRight = QStringLiteral("✓");
const QString kWrong = QStringLiteral("✗");

// "15 + 7=" in its three parts, so that each can be aligned in its column.
struct ProblemParts {
    QString first;
    QString sign;
    QString second;
};

std::optional<ProblemParts> SplitProblem(const QString &text)
{
    const QStringList tokens = text.split(QLatin1Char(' '));
    if (tokens.size() != 3 || !tokens.at(2).endsWith(QLatin1Char('=')))
        return std::nullopt;
    return ProblemParts{tokens.at(0), tokens.at(1), tokens.at(2).chopped(1)};
}

// The widths of the parts of a problem column, in device pixels.
struct QuestionColumn {
    double number = 0;
    double first = 0;
    double sign = 0;
    double second = 0;
    double equals = 0;
    double whole = 0;   // a text that does not split into parts
    double toWrite = 0;
    double mark = 0;    // the ✓ or ✗ of a graded paper

    double Problem() const { return std::max(first + sign + second + equals, whole); }
    double Needed() const { return number + Problem() + toWrite + mark; }
};

class SheetPainter {
public:
    SheetPainter(QPainter &painter, QPagedPaintDevice &device, const QList<SheetProblem> &problems,
                 const SheetOptions &options)
        : painter_(painter), device_(device), problems_(problems), options_(options), dpi_(device.logicalDpiY()),
          width_(device.width()), height_(device.height())
    {
    }

    bool Draw();

private:
    double Px(double mm) const { return mm * dpi_ / 25.4; }
    double GridTop(bool withNameLine) const { return Px(kTitleMm + (withNameLine ? kNameLineMm : 0)); }
    double GridHeight(bool withNameLine) const { return height_ - GridTop(withNameLine) - Px(kFooterMm); }

    QuestionColumn MeasureQuestions() const;
    void DrawTitle(const QString &title);
    void DrawNameLine();
    void DrawFooter(int page, int pageCount);
    void DrawQuestion(int index, const QRectF &cell, const QuestionColumn &column);
    // Answers line up by place value, right-aligned in the widest one's width.
    void DrawAnswer(int index, const QRectF &cell, double numberWidth, double answerWidth);
    double AnswerWidth() const;
    // A text in its box, fractions stacked.
    void Text(const QRectF &box, int flags, const QString &text, const QFont &font, const QColor &colour);
    double Width(const QFont &font, const QString &text) const;
    // A problem's number, right-aligned before the cell's content and on its
    // baseline, though it is set smaller.
    void Number(int index, const QRectF &cell, double numberWidth, const QFont &contentFont);
    double Baseline(const QRectF &cell, const QFont &font) const;

    QPainter &painter_;
    QPagedPaintDevice &device_;
    const QList<SheetProblem> &problems_;
    const SheetOptions &options_;
    double dpi_;
    double width_;
    double height_;
};

void SheetPainter::Text(const QRectF &box, int flags, const QString &text, const QFont &font, const QColor &colour)
{
    painter_.setFont(font);
    painter_.setPen(colour);
    MathText::Of(text).Draw(painter_, box, Qt::Alignment(flags), font);
}

double SheetPainter::Width(const QFont &font, const QString &text) const
{
    const MathText math = MathText::Of(text);
    return math.HasFraction() ? math.Lay(font, &device_).width : QFontMetricsF(font, &device_).horizontalAdvance(text);
}

double SheetPainter::Baseline(const QRectF &cell, const QFont &font) const
{
    // Where a vertically centred line of that font stands.
    const QFontMetricsF metrics(font, &device_);
    return cell.top() + (cell.height() + metrics.ascent() - metrics.descent()) / 2;
}

void SheetPainter::Number(int index, const QRectF &cell, double numberWidth, const QFont &contentFont)
{
    const QFont font = Fonts::Print(kNumberPt);
    const QString text = QString::number(index + 1) + u'.';
    const double right = cell.left() + numberWidth - Px(kNumberGapMm);
    painter_.setFont(font);
    painter_.setPen(kGrey);
    painter_.drawText(QPointF(right - QFontMetricsF(font, &device_).horizontalAdvance(text),
                              Baseline(cell, contentFont)),
                      text);
}

QuestionColumn SheetPainter::MeasureQuestions() const
{
    const QFont problemFont = Fonts::Print(kProblemPt);
    const QFontMetricsF problemMetrics(problemFont, &device_);
    const QFontMetricsF numberMetrics(Fonts::Print(kNumberPt), &device_);
    QuestionColumn column;
    column.number = numberMetrics.horizontalAdvance(QString::number(problems_.size()) + QLatin1Char('.')) +
                    Px(kNumberGapMm);
    column.equals = problemMetrics.horizontalAdvance(kEquals);
    qsizetype longestAnswer = 2;
    for (const SheetProblem &problem : problems_) {
        longestAnswer = std::max(longestAnswer, problem.answer.size());
        if (problem.grade)
            longestAnswer = std::max(longestAnswer, problem.grade->typed.size());
        if (const std::optional<ProblemParts> parts = SplitProblem(problem.text)) {
            column.first = std::max(column.first, Width(problemFont, parts->first));
            column.sign = std::max(column.sign, problemMetrics.horizontalAdvance(QLatin1Char(' ') + parts->sign +
                                                                                 QLatin1Char(' ')));
            column.second = std::max(column.second, Width(problemFont, parts->second));
        } else {
            column.whole = std::max(column.whole, Width(problemFont, problem.text));
        }
    }
    column.toWrite = Px(kDigitToWriteMm * static_cast<double>(longestAnswer) + kNumberGapMm * 2);
    if (options_.graded)
        column.mark = problemMetrics.horizontalAdvance(kWrong) + Px(kNumberGapMm);
    return column;
}

void SheetPainter::DrawTitle(const QString &title)
{
    Text(QRectF(0, 0, width_, Px(kTitleMm)), Qt::AlignHCenter | Qt::AlignTop, title, Fonts::Print(kTitlePt, true),
         Palette::Black);
}

void SheetPainter::DrawNameLine()
{
    const QFont font = Fonts::Print(kNameLinePt);
    const QFontMetricsF metrics(font, &device_);
    // A graded paper has its name written in, and its score where the time
    // taken would go.
    const QStringList labels{QStringLiteral("姓名："), QStringLiteral("日期："),
                             options_.graded ? QStringLiteral("成绩：") : QStringLiteral("用时：")};
    const QStringList values{options_.name, QString(), options_.score};
    const double fieldWidth = width_ / static_cast<double>(labels.size());
    const double top = Px(kTitleMm);
    const double baseline = top + Px(kNameLineMm) * 0.55;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const double left = fieldWidth * static_cast<double>(i);
        painter_.setFont(font);
        painter_.setPen(Palette::Black);
        painter_.drawText(QPointF(left, baseline), labels.at(i));
        const double lineStart = left + metrics.horizontalAdvance(labels.at(i));
        painter_.setPen(QPen(Palette::Black, Px(0.3)));
        painter_.drawLine(QPointF(lineStart, baseline + Px(1)), QPointF(left + fieldWidth - Px(8), baseline + Px(1)));
        if (options_.graded && !values.at(i).isEmpty()) {
            painter_.setPen(i == 2 ? Palette::Red : Palette::Blue);
            painter_.drawText(QPointF(lineStart + Px(kNumberGapMm), baseline), values.at(i));
        }
    }
}

void SheetPainter::DrawFooter(int page, int pageCount)
{
    Text(QRectF(0, height_ - Px(kFooterMm), width_, Px(kFooterMm)), Qt::AlignHCenter | Qt::AlignBottom,
         QStringLiteral("第 %1 页，共 %2 页").arg(page).arg(pageCount), Fonts::Print(kFooterPt), kGrey);
}

void SheetPainter::DrawQuestion(int index, const QRectF &cell, const QuestionColumn &column)
{
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const int centre = Qt::AlignHCenter | Qt::AlignVCenter;
    const QFont font = Fonts::Print(kProblemPt);
    const double top = cell.top();
    const double height = cell.height();
    double x = cell.left();
    Number(index, cell, column.number, font);
    x += column.number;
    const SheetProblem &problem = problems_.at(index);
    if (const std::optional<ProblemParts> parts = SplitProblem(problem.text)) {
        Text(QRectF(x, top, column.first, height), right, parts->first, font, Palette::Black);
        x += column.first;
        Text(QRectF(x, top, column.sign, height), centre, parts->sign, font, Palette::Black);
        x += column.sign;
        Text(QRectF(x, top, column.second, height), right, parts->second, font, Palette::Black);
        x += column.second;
        Text(QRectF(x, top, column.equals, height), Qt::AlignLeft | Qt::AlignVCenter, kEquals, font, Palette::Black);
        x += column.equals;
    } else {
        Text(QRectF(x, top, column.Problem(), height), right, problem.text, font, Palette::Black);
        x += column.Problem();
    }
    // A faint line to write the answer on, level with the foot of the digits.
    const double baseline = Baseline(cell, font);
    const double lineEnd = cell.right() - column.mark;
    painter_.setPen(QPen(kWritingLine, Px(0.25)));
    painter_.drawLine(QPointF(x + Px(kNumberGapMm), baseline + Px(1)), QPointF(lineEnd, baseline + Px(1)));
    if (!problem.grade)
        return;
    // The child's answer on the line, then its mark, coloured as on screen.
    const QColor colour = problem.grade->right ? Palette::Blue : Palette::Red;
    Text(QRectF(x + Px(kNumberGapMm), top, lineEnd - x - Px(kNumberGapMm), height), Qt::AlignLeft | Qt::AlignVCenter,
         problem.grade->typed, font, colour);
    Text(QRectF(lineEnd, top, column.mark, height), Qt::AlignRight | Qt::AlignVCenter,
         problem.grade->right ? kRight : kWrong, font, colour);
}

void SheetPainter::DrawAnswer(int index, const QRectF &cell, double numberWidth, double answerWidth)
{
    const QFont font = Fonts::Print(kAnswerPt);
    Number(index, cell, numberWidth, font);
    Text(QRectF(cell.left() + numberWidth, cell.top(), answerWidth, cell.height()), Qt::AlignRight | Qt::AlignVCenter,
         problems_.at(index).answer, font, Palette::Black);
}

double SheetPainter::AnswerWidth() const
{
    const QFont font = Fonts::Print(kAnswerPt);
    double widest = 0;
    for (const SheetProblem &problem : problems_)
        widest = std::max(widest, Width(font, problem.answer));
    return widest;
}

// Cells fill a page column by column; columns share the width with a gap.
QRectF Cell(int slot, int rows, int columns, double top, double rowHeight, double width, double gap)
{
    const double columnWidth = (width - gap * (columns - 1)) / columns;
    const int column = slot / rows;
    const int row = slot % rows;
    return {(columnWidth + gap) * column, top + rowHeight * row, columnWidth, rowHeight};
}

bool SheetPainter::Draw()
{
    const int count = static_cast<int>(problems_.size());
    const QuestionColumn column = MeasureQuestions();
    const double gap = Px(kColumnGapMm);
    const int questionColumns =
        std::clamp(static_cast<int>(std::floor((width_ + gap) / (column.Needed() + gap))), 1, kMostQuestionColumns);
    const int questionRows = std::max(1, static_cast<int>(GridHeight(true) / Px(kQuestionRowMm)));
    const int answerRows = std::max(1, static_cast<int>(GridHeight(false) / Px(kAnswerRowMm)));
    const int perQuestionPage = questionColumns * questionRows;
    const int perAnswerPage = kAnswerColumns * answerRows;
    const int questionPages = std::max(1, (count + perQuestionPage - 1) / perQuestionPage);
    const int answerPages = options_.answerPage ? std::max(1, (count + perAnswerPage - 1) / perAnswerPage) : 0;
    const int pageCount = questionPages + answerPages;

    const double answerWidth = AnswerWidth();
    // Each copy of the problems is numbered as the first; the answers,
    // which only the parent needs, come once after them all.
    bool first = true;
    for (int copy = 0; copy < std::max(1, options_.copies); ++copy) {
        for (int p = 0; p < questionPages; ++p) {
            if (!std::exchange(first, false) && !device_.newPage())
                return false;
            DrawTitle(QStringLiteral("口算练习"));
            DrawNameLine();
            for (int slot = 0; slot < perQuestionPage && p * perQuestionPage + slot < count; ++slot) {
                DrawQuestion(p * perQuestionPage + slot,
                             Cell(slot, questionRows, questionColumns, GridTop(true), Px(kQuestionRowMm), width_, gap),
                             column);
            }
            DrawFooter(p + 1, pageCount);
        }
    }
    int page = questionPages;
    for (int p = 0; p < answerPages; ++p) {
        if (!device_.newPage())
            return false;
        ++page;
        DrawTitle(QStringLiteral("口算练习答案"));
        for (int slot = 0; slot < perAnswerPage && p * perAnswerPage + slot < count; ++slot) {
            DrawAnswer(p * perAnswerPage + slot,
                       Cell(slot, answerRows, kAnswerColumns, GridTop(false), Px(kAnswerRowMm), width_, gap),
                       column.number, answerWidth);
        }
        DrawFooter(page, pageCount);
    }
    return true;
}

}  // namespace

bool DrawPracticeSheet(QPagedPaintDevice &device, const QList<SheetProblem> &problems, const SheetOptions &options)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const bool drawn = SheetPainter(painter, device, problems, options).Draw();
    return painter.end() && drawn;
}

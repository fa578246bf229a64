#pragma once

#include <QWidget>
#include <array>
#include <functional>

class AnswerBox;

// A stacked fraction to type an answer into, laid over the answer box: the
// numerator over a bar over the denominator, with a whole-number part on the
// left for a 带分数 when one is given. "/" or ↓ goes from the numerator to
// the denominator, ↑ back, and a click picks any box, so a child may write
// the denominator first. Every other character goes through the key filter,
// Enter too.
class FractionEntry : public QWidget {
    Q_OBJECT

public:
    enum class Part { Whole, Numerator, Denominator };

    // The boxes are named after the window's controls: wholeName,
    // numeratorName and denominatorName.
    FractionEntry(QWidget *window, const char *name, std::array<const char *, 3> boxNames);

    // passes(typed) tells whether a character may go into a box.
    void setKeyFilter(std::function<bool(QChar typed)> passes);

    // Opens over the answer box's rectangle, taller than it, with whole (a
    // number, or empty for none) on the left; the numerator takes the focus.
    void Open(const QRect &answerBox, const QString &whole);
    // Empties the boxes and hides.
    void Close();
    bool IsOpen() const { return !isHidden(); }

    // "3/4", "1 1/6", "1" with no fraction written: as the answer reader
    // reads them.
    QString Text() const;
    // The box the child is typing in, which a keypad key types into.
    QString PartText() const;
    void setPartText(const QString &text);
    void setReadOnly(bool readOnly);

    AnswerBox *Box(Part part) const { return boxes_.at(static_cast<std::size_t>(part)); }

signals:
    void textChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Focus(Part part);

    std::array<AnswerBox *, 3> boxes_{};
    Part current_ = Part::Numerator;
    std::function<bool(QChar)> passes_;
};

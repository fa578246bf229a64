#pragma once

#include <QLineEdit>
#include <functional>

// The answer box of a drill: big bold navy digits in a white box, read-only
// until answers are taken. Every character typed into it goes past its key
// filter first, which keeps out what it refuses; keys that type no character
// (arrows, Home) and Delete edit as usual. An input method could commit text
// behind the filter's back, so the box takes none.
class AnswerBox : public QLineEdit {
    Q_OBJECT

public:
    explicit AnswerBox(QWidget *parent = nullptr);

    // passes(typed) tells whether the character may go into the box.
    void setKeyFilter(std::function<bool(QChar typed)> passes);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::function<bool(QChar)> passes_;
};

#include "widgets/AnswerBox.h"

#include "widgets/Fonts.h"

#include <QKeyEvent>
#include <utility>

AnswerBox::AnswerBox(QWidget *parent) : QLineEdit(parent)
{
    setFont(Fonts::SongTi(64, true));
    setReadOnly(true);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setStyleSheet(QStringLiteral("QLineEdit { color: #000080; background: white; border: 1px solid #000080; }"));
}

void AnswerBox::setKeyFilter(std::function<bool(QChar typed)> passes)
{
    passes_ = std::move(passes);
}

void AnswerBox::keyPressEvent(QKeyEvent *event)
{
    const bool typesCharacter = !event->text().isEmpty() && event->key() != Qt::Key_Delete;
    if (typesCharacter && passes_ && !passes_(event->text().front())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

#include "kaochang/PaperPage.h"

#include "kaochang/ExamControls.h"
#include "kaochang/ExamRoom.h"
#include "widgets/Palette.h"

#include <QPainter>

PaperPage::PaperPage(QWidget *parent) : QFrame(parent) {}

void PaperPage::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        for (int p = 0; p < ExamRoom::SlotsPerPage; ++p)
            painter.fillRect(ExamControls::StripRect(p), Palette::White);
    }
    QFrame::paintEvent(event);
}

#include "shell/PenCursor.h"

#include "widgets/Pictures.h"

#include <QCursor>

const QCursor &PenCursor()
{
    static const QCursor cursor(Pictures::Render(QStringLiteral(":/cursors/pen.svg"), QSize(32, 32)), 0, 0);
    return cursor;
}

#include "arithmetic/ScoreText.h"

#include <QLocale>
#include <QString>

QString ScoreText(qint64 tenThousandths, const QLocale &locale)
{
    QString text = QString::number(tenThousandths / 10000);
    QString fraction = QStringLiteral("%1").arg(tenThousandths % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return text + QStringLiteral("分");
}

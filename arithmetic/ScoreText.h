#pragma once

#include <QtGlobal>

class QLocale;
class QString;

// A score kept as a whole number of ten-thousandths of a point, written in
// general decimal form: "100分", "12.5分", "66.6667分". The decimal separator
// is the locale's; there are no group separators. Scores are never negative.
QString ScoreText(qint64 tenThousandths, const QLocale &locale);

#include "storage/CsvTable.h"

namespace CsvTable {

QByteArray Field(const QString &text)
{
    QString field = text;
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (!field.isEmpty() && kFormulaStarts.contains(field.front()))
        field.prepend(u'\'');
    if (field.contains(u',') || field.contains(u'"') || field.contains(u'\r') || field.contains(u'\n')) {
        field.replace(u'"', QStringLiteral("\"\""));
        field = u'"' + field + u'"';
    }
    return field.toUtf8();
}

QByteArray Write(const QStringList &header, const QList<QStringList> &rows)
{
    QByteArray out("\xEF\xBB\xBF");
    const auto line = [&out](const QStringList &fields) {
        for (qsizetype k = 0; k < fields.size(); ++k) {
            if (k)
                out += ',';
            out += Field(fields.at(k));
        }
        out += "\r\n";
    };
    line(header);
    for (const QStringList &row : rows)
        line(row);
    return out;
}

}  // namespace CsvTable

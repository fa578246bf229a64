#include "lianxi/DrillRecords.h"

#include "arithmetic/DrillTally.h"
#include "notices/ErrorText.h"
#include "storage/InstallFolder.h"
#include "storage/StoreFile.h"

#include <QDate>
#include <QDir>
#include <QLocale>

QString RecordDateText()
{
    QString text = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    text.replace(QLatin1Char('/'), QLatin1Char('-'));
    text.replace(QLatin1Char('\\'), QLatin1Char('-'));
    return text;
}

namespace {

QByteArray RecordBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        // Record lines hold only digits, signs and "=": one byte each.
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

// A full disk or any other failure leaves the day's earlier file as it was.
QString WriteRecordFile(const QString &path, const QStringList &lines)
{
    if (const std::optional<QString> reason = StoreFile::WriteWhole(path, RecordBytes(lines)))
        return ErrorText::CannotCreateFile(QDir::toNativeSeparators(path), *reason);
    return {};
}

}  // namespace

QString SaveDrillRecords(const QString &root, const RecordFolders &folders, const DrillTally &tally,
                         const std::function<QString()> &dateText)
{
    const QString rightPath = InstallFolder::Join(root, folders.right + dateText() + QStringLiteral(".txt"));
    if (QString error = WriteRecordFile(rightPath, tally.RightLines()); !error.isEmpty())
        return error;
    const QString wrongPath = InstallFolder::Join(root, folders.wrong + dateText() + QStringLiteral(".txt"));
    return WriteRecordFile(wrongPath, tally.WrongLines());
}

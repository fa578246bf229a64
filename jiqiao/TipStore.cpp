#include "jiqiao/TipStore.h"

#include "jiqiao/GbkText.h"
#include "jiqiao/TipLines.h"
#include "shell/ErrorText.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

const QString kStar = QStringLiteral("★");

// CR LF, CR and LF each become one space; a NUL, which would end the
// store's text, becomes one too.
QString OnOneLine(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        line += (c == u'\r' || c == u'\n' || c == QChar(0)) ? QChar(u' ') : c;
    }
    return line;
}

// QSaveFile replaces the file through a new one, which would get past a
// read-only or locked store; an existing store must take writes itself.
std::optional<QString> RefusesWrites(const QString &path)
{
    QFile existing(path);
    if (!existing.exists())
        return std::nullopt;
    if (!existing.open(QIODevice::WriteOnly | QIODevice::Append))
        return existing.errorString();
    return std::nullopt;
}

}  // namespace

std::optional<QString> TipStore::LoadTips(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ErrorText::CannotOpenFile(QDir::toNativeSeparators(path), file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ErrorText::CannotOpenFile(QDir::toNativeSeparators(path), file.errorString());
    ReadBytes(bytes);
    return std::nullopt;
}

std::optional<QString> TipStore::SaveTips(const QString &path) const
{
    const QString shownPath = QDir::toNativeSeparators(path);
    if (const std::optional<QString> reason = RefusesWrites(path))
        return ErrorText::CannotCreateFile(shownPath, *reason);

    QSaveFile file(path);
    // A folder that takes no new files still lets an existing store be
    // rewritten in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return ErrorText::CannotCreateFile(shownPath, file.errorString());
    const QByteArray bytes = FileBytes();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return ErrorText::CannotCreateFile(shownPath, file.errorString());
    return std::nullopt;
}

bool TipStore::AddTip(const QString &text)
{
    const QString tip = kStar + OnOneLine(text);
    std::optional<QByteArray> bytes = GbkText::Encode(tip);
    if (!bytes)
        return false;
    lines_.append(std::move(*bytes));
    texts_.append(tip);
    return true;
}

void TipStore::RemoveLastTip()
{
    lines_.removeLast();
    texts_.removeLast();
}

void TipStore::ReadBytes(QByteArrayView bytes)
{
    lines_ = TipLines::Split(bytes);
    texts_.clear();
    texts_.reserve(lines_.size());
    GbkText::LineDecoder decode;
    for (const QByteArray &line : lines_)
        texts_.append(decode(line));
}

QByteArray TipStore::FileBytes() const
{
    return TipLines::Join(lines_);
}

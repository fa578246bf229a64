#include "jiqiao/TipStore.h"

#include "notices/ErrorText.h"
#include "storage/GbkText.h"
#include "storage/StoreFile.h"
#include "storage/TextLines.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBoundaryFinder>

namespace {

const QString kStar = QStringLiteral("★");
constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");
constexpr QByteArrayView kUtf16LeBom("\xFF\xFE");
constexpr QByteArrayView kUtf16BeBom("\xFE\xFF");

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

// The encoding a byte-order mark at the start names, with the mark's
// length; nothing for a store without one, which is GBK.
struct MarkedEncoding {
    QStringConverter::Encoding encoding;
    qsizetype markLength;
};

std::optional<MarkedEncoding> EncodingMarkedIn(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return MarkedEncoding{QStringConverter::Utf8, kUtf8Bom.size()};
    if (bytes.startsWith(kUtf16LeBom))
        return MarkedEncoding{QStringConverter::Utf16LE, kUtf16LeBom.size()};
    if (bytes.startsWith(kUtf16BeBom))
        return MarkedEncoding{QStringConverter::Utf16BE, kUtf16BeBom.size()};
    return std::nullopt;
}

}  // namespace

std::optional<QString> TipStore::LoadTips(const QString &path)
{
    const StoreFile::ReadResult read = StoreFile::ReadWhole(path);
    if (read.error)
        return ErrorText::CannotOpenFile(QDir::toNativeSeparators(path), *read.error);
    ReadBytes(read.bytes);
    return std::nullopt;
}

TipSaveResult TipStore::SaveNewTip(const QString &path, const QString &text)
{
    const StoreFile::Lock lock(path);
    if (lock.Error())
        return {TipSaveOutcome::NotWritten, ErrorText::CannotCreateFile(QDir::toNativeSeparators(path), *lock.Error())};
    // What the file holds now, another copy's latest tips included, comes
    // first, and its encoding decides what the tip may hold; a store not
    // there yet is begun by this tip, as GBK.
    TipStore saved;
    if (QFileInfo::exists(path) && (saved.LoadTips(path) || !saved.IsWhole()))
        return {TipSaveOutcome::StoreNotReadWhole, {}};
    if (!saved.AddTip(text))
        return {TipSaveOutcome::NotStorable, {}, saved.UnstorableIn(kStar + OnOneLine(text))};
    if (std::optional<QString> error = saved.SaveTips(path))
        return {TipSaveOutcome::NotWritten, std::move(*error)};
    *this = std::move(saved);
    return {TipSaveOutcome::Saved, {}};
}

bool TipStore::AddTip(const QString &text)
{
    const QString tip = kStar + OnOneLine(text);
    std::optional<QByteArray> bytes = Encode(tip);
    if (!bytes)
        return false;
    lines_.append(std::move(*bytes));
    texts_.append(tip);
    return true;
}

QStringList TipStore::UnstorableIn(const QString &text) const
{
    QStringList unstorable;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end = graphemes.toNextBoundary(); end > 0; start = end, end = graphemes.toNextBoundary()) {
        const QString character = text.mid(start, end - start);
        if (!Encode(character) && !unstorable.contains(character))
            unstorable.append(character);
    }
    return unstorable;
}

std::optional<QByteArray> TipStore::Encode(const QString &text) const
{
    if (!marked_)
        return GbkText::Encode(text);
    QStringEncoder encode(*marked_);
    QByteArray bytes = encode(text);
    if (encode.hasError() || QStringDecoder(*marked_, QStringConverter::Flag::Stateless)(bytes) != text)
        return std::nullopt;
    return bytes;
}

std::optional<QString> TipStore::SaveTips(const QString &path) const
{
    if (const std::optional<QString> reason = StoreFile::WriteWhole(path, FileBytes()))
        return ErrorText::CannotCreateFile(QDir::toNativeSeparators(path), *reason);
    return std::nullopt;
}

void TipStore::ReadBytes(QByteArrayView bytes)
{
    lines_.clear();
    texts_.clear();
    const std::optional<MarkedEncoding> marked = EncodingMarkedIn(bytes);
    marked_ = marked ? std::optional(marked->encoding) : std::nullopt;
    if (!marked) {
        ReadGbk(bytes);
        return;
    }
    // The mark is already cut off: a second one is text. Stateless, so that
    // a sequence cut off at the end counts as an error too.
    QStringDecoder decode(marked->encoding, QStringConverter::Flag::Stateless |
                                                QStringConverter::Flag::ConvertInitialBom);
    const QByteArrayView encoded = bytes.sliced(marked->markLength);
    const QString text = decode(encoded);
    ReadDecoded(text);
    // What did not decode (an odd byte at the end) shows as a replacement
    // character, which would not encode back as it was; a lone surrogate is
    // kept, but is no text.
    if (decode.hasError() || !text.isValidUtf16() || QByteArray(QStringEncoder(marked->encoding)(text)) != encoded)
        whole_ = false;
}

void TipStore::ReadGbk(QByteArrayView bytes)
{
    lines_ = TextLines::Split(bytes);
    texts_.reserve(lines_.size());
    GbkText::LineDecoder decode;
    for (const QByteArray &line : lines_)
        texts_.append(decode(line));
    whole_ = !bytes.contains('\0');
}

void TipStore::ReadDecoded(const QString &text)
{
    texts_ = TextLines::Split(text);
    lines_.reserve(texts_.size());
    whole_ = !text.contains(QChar(0));
    QStringEncoder encode(*marked_);
    for (const QString &tip : texts_)
        lines_.append(encode(tip));
}

QByteArray TipStore::FileBytes() const
{
    if (!marked_)
        return TextLines::Join(lines_);
    QStringEncoder encode(*marked_);
    QByteArray bytes = encode(QString(QChar::ByteOrderMark));
    const QByteArray lineBreak = encode(QStringLiteral("\r\n"));
    for (const QByteArray &line : lines_)
        bytes += line + lineBreak;
    return bytes;
}

#include "jiqiao/TipStore.h"

#include "notices/ErrorText.h"
#include "storage/GbkText.h"
#include "storage/StoreFile.h"
#include "storage/TextLines.h"

#include <QDir>
#include <QStringDecoder>

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
    TipStore saved;
    if (!saved.AddTip(text))
        return {TipSaveOutcome::NotStorable, {}};
    const StoreFile::Lock lock(path);
    if (lock.Error())
        return {lock.Busy() ? TipSaveOutcome::LockBusy : TipSaveOutcome::NotWritten,
                ErrorText::CannotCreateFile(QDir::toNativeSeparators(path), *lock.Error())};
    // What the file holds now, another copy's latest tips included, comes
    // first; a store not there yet is begun by this tip.
    if (StoreFile::IsThere(path)) {
        TipStore current;
        if (current.LoadTips(path) || !current.IsWhole())
            return {TipSaveOutcome::StoreNotReadWhole, {}};
        current.lines_ += saved.lines_;
        current.texts_ += saved.texts_;
        saved = std::move(current);
    }
    if (std::optional<QString> error = saved.SaveTips(path))
        return {TipSaveOutcome::NotWritten, std::move(*error)};
    *this = std::move(saved);
    return {TipSaveOutcome::Saved, {}};
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
    if (!marked) {
        ReadGbk(bytes);
        return;
    }
    // The mark is already cut off: a second one is text. Stateless, so that
    // a sequence cut off at the end counts as an error too.
    QStringDecoder decode(marked->encoding, QStringConverter::Flag::Stateless |
                                                QStringConverter::Flag::ConvertInitialBom);
    const QString text = decode(bytes.sliced(marked->markLength));
    ReadDecoded(text);
    if (decode.hasError())
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
    for (const QString &tip : texts_) {
        std::optional<QByteArray> bytes = GbkText::Encode(tip);
        whole_ = whole_ && bytes.has_value();
        lines_.append(bytes ? std::move(*bytes) : QByteArray());
    }
    // GBK that begins like a UTF-8 mark would not read back as these tips.
    if (!lines_.isEmpty() && lines_.first().startsWith(kUtf8Bom))
        whole_ = false;
}

QByteArray TipStore::FileBytes() const
{
    return TextLines::Join(lines_);
}

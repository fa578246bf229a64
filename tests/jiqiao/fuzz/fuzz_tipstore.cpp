// libFuzzer target for the tips store: any bytes as a store file, and any
// text as a new tip. Built and run by scripts/fuzz-tips.
#include "jiqiao/TipStore.h"
#include "storage/GbkText.h"
#include "storage/TextLines.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstdlib>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool HasLineEnd(const QByteArray &bytes)
{
    return bytes.contains('\r') || bytes.contains('\n') || bytes.contains('\0');
}

bool BeginsWithMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// A store held whole is written, in its own encoding, as bytes that read
// back as the same tips, whole again, and is written the same once more.
void WholeStoresReadBack(const TipStore &store)
{
    if (!store.IsWhole())
        return;
    TipStore reread;
    reread.ReadBytes(store.FileBytes());
    Require(reread.IsWhole());
    Require(reread.TipCount() == store.TipCount());
    for (int i = 0; i < store.TipCount(); ++i)
        Require(reread.TipAt(i) == store.TipAt(i));
    Require(reread.FileBytes() == store.FileBytes());
}

// The bytes as a store. Without a byte-order mark they are GBK lines: lines
// never hold a line end, rewriting them reads back the same lines, loading
// the rewrite and saving it again changes nothing, and the store is whole
// unless a NUL cut its text short.
void StoreBytes(QByteArrayView bytes)
{
    TipStore store;
    store.ReadBytes(bytes);
    WholeStoresReadBack(store);
    if (BeginsWithMark(bytes))
        return;

    const QList<QByteArray> lines = TextLines::Split(bytes);
    qsizetype total = 0;
    for (const QByteArray &line : lines) {
        Require(!HasLineEnd(line));
        total += line.size();
    }
    // Every line but perhaps the last ended in at least one byte of its own.
    Require(lines.isEmpty() || total + lines.size() - 1 <= bytes.size());

    const QByteArray rewritten = TextLines::Join(lines);
    Require(TextLines::Split(rewritten) == lines);

    Require(store.TipCount() == lines.size());
    Require(store.FileBytes() == rewritten);
    Require(store.IsWhole() == !bytes.contains('\0'));

    GbkText::LineDecoder decode;
    for (int i = 0; i < store.TipCount(); ++i) {
        const QString &text = store.TipAt(i);
        Require(text == decode(lines.at(i)));
        // Text shown without a replacement character was GBK; it must be
        // storable and read back the same.
        if (!text.contains(QChar(0xFFFD))) {
            const std::optional<QByteArray> encoded = GbkText::Encode(text);
            Require(encoded.has_value());
            Require(decode(*encoded) == text);
        }
    }
}

// The bytes as UTF-8 typed into the add box: a tip that is accepted is one
// line that reads back from the file as the same text, starting with the star.
void NewTip(QByteArrayView bytes)
{
    const QString typed = QStringDecoder(QStringDecoder::Utf8)(bytes);
    TipStore store;
    if (!store.AddTip(typed)) {
        Require(store.TipCount() == 0);
        return;
    }
    Require(store.TipCount() == 1);
    Require(store.TipAt(0).startsWith(QStringLiteral("★")));
    Require(!HasLineEnd(store.TipBytesAt(0)));
    TipStore reread;
    reread.ReadBytes(store.FileBytes());
    Require(reread.TipCount() == 1);
    Require(reread.TipAt(0) == store.TipAt(0));
    Require(reread.TipBytesAt(0) == store.TipBytesAt(0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    StoreBytes(bytes);
    NewTip(bytes);
    return 0;
}

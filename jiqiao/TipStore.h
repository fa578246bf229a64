#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <optional>

// What became of a tip to be saved.
enum class TipSaveOutcome {
    Saved,
    // The text holds a character the store's encoding cannot hold.
    NotStorable,
    // The store file holds bytes that could not be read (a NUL, a read
    // error): it is left as it is.
    StoreNotReadWhole,
    // The file could not be written; errorText says why.
    NotWritten,
};

struct TipSaveResult {
    TipSaveOutcome outcome;
    // The error box's text, for NotWritten.
    QString errorText;
    // The characters the store cannot hold, each once, for NotStorable.
    QStringList unstorable = {};
};

// The tips book's content: the ordered tip lines of the store file
// "database\yd.zerk", indexed from 0. Each line of a GBK store keeps the
// bytes it was read with, so a load followed by a save gives back the file
// byte for byte, also where it is not valid GBK. A store that begins with a
// UTF-8 or UTF-16 byte-order mark is read in that encoding and written back
// in it, mark and all, so it holds any character; a GBK store (and a new
// one) holds only what GBK can.
class TipStore {
public:
    // Replaces the lines with the file's. When the file cannot be read the
    // lines stay as they were and the error box's text is returned.
    [[nodiscard]] std::optional<QString> LoadTips(const QString &path);

    // Saves a new tip, "★" and the text, at the end of the store file. The
    // file is read afresh under the lock beside it, so tips another copy of
    // the program saved meanwhile are kept, and written back whole with the
    // tip appended; the lines then are the file's as saved. The old file
    // stays whole until the new one is complete, and nothing is written over
    // a file that could not be read whole. Unless saved, the lines stay as
    // they were.
    [[nodiscard]] TipSaveResult SaveNewTip(const QString &path, const QString &text);

    // Appends "★" and the text, every line break in it turned into one
    // space so that one tip always reads back as one tip. Returns false and
    // adds nothing when the text holds a character the store cannot hold.
    [[nodiscard]] bool AddTip(const QString &text);

    // The characters of text the store cannot hold, each as the child sees
    // it (an emoji of several code points is one), each once.
    QStringList UnstorableIn(const QString &text) const;

    // Rewrites the file whole from the lines, each followed by CR LF. The
    // old file stays whole until the new one is complete. On failure the
    // error box's text is returned.
    [[nodiscard]] std::optional<QString> SaveTips(const QString &path) const;

    int TipCount() const { return static_cast<int>(texts_.size()); }
    const QString &TipAt(int index) const { return texts_.at(index); }
    const QByteArray &TipBytesAt(int index) const { return lines_.at(index); }

    // Whether the lines hold all that the file did: every byte was read as
    // tips and line breaks (no NUL cut the text short, nothing failed to
    // decode), so that writing them back loses nothing.
    bool IsWhole() const { return whole_; }

    // The lines as the file holds them, and back.
    void ReadBytes(QByteArrayView bytes);
    QByteArray FileBytes() const;

private:
    // The bytes of text in the store's encoding, or nothing when they would
    // not read back as the same text.
    std::optional<QByteArray> Encode(const QString &text) const;
    void ReadGbk(QByteArrayView bytes);
    void ReadDecoded(const QString &text);

    QList<QByteArray> lines_;
    QList<QString> texts_;
    bool whole_ = true;
    // The byte-order mark's encoding; nothing for GBK.
    std::optional<QStringConverter::Encoding> marked_;
};

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// The tips book's content: the ordered tip lines of the store file
// "database\yd.zerk", indexed from 0. Each line keeps the bytes it was read
// with, so a load followed by a save gives back the file byte for byte, also
// where it is not valid GBK.
class TipStore {
public:
    // Replaces the lines with the file's. When the file cannot be read the
    // lines stay as they were and the error box's text is returned.
    [[nodiscard]] std::optional<QString> LoadTips(const QString &path);

    // Rewrites the file whole from the lines, each followed by CR LF. The
    // old file stays whole until the new one is complete. On failure the
    // error box's text is returned.
    [[nodiscard]] std::optional<QString> SaveTips(const QString &path) const;

    // Appends "★" and the text, every line break in it turned into one
    // space so that one tip always reads back as one tip. Returns false and
    // adds nothing when the text holds a character GBK cannot store.
    [[nodiscard]] bool AddTip(const QString &text);
    void RemoveLastTip();

    int TipCount() const { return static_cast<int>(texts_.size()); }
    const QString &TipAt(int index) const { return texts_.at(index); }
    const QByteArray &TipBytesAt(int index) const { return lines_.at(index); }

    // The lines as the file holds them, and back.
    void ReadBytes(QByteArrayView bytes);
    QByteArray FileBytes() const;

private:
    QList<QByteArray> lines_;
    QList<QString> texts_;
};

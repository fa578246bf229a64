#include "sound/CueStream.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Reads as an audio output does, in pieces of a fixed size, until the
// stream runs dry.
QByteArray ReadDry(QIODevice &stream, qint64 piece)
{
    QByteArray all;
    QByteArray buffer(piece, '?');
    for (qint64 got; (got = stream.read(buffer.data(), piece)) > 0;)
        all += buffer.first(got);
    return all;
}

}  // namespace

class tst_CueStream : public QObject {
    Q_OBJECT

private slots:
    void emptyUntilACueIsGiven()
    {
        CueStream stream;
        QVERIFY(stream.isOpen());
        QCOMPARE(stream.bytesAvailable(), 0);
        QVERIFY(stream.atEnd());
        QCOMPARE(ReadDry(stream, 4), QByteArray());
    }

    void servesTheFramesThenSilenceThenEnds_data()
    {
        QTest::addColumn<qint64>("piece");
        QTest::addColumn<char>("silence");
        QTest::newRow("small pieces, signed") << qint64(3) << char(0);
        QTest::newRow("one large piece, unsigned 8-bit") << qint64(4096) << char(0x80);
    }

    void servesTheFramesThenSilenceThenEnds()
    {
        QFETCH(qint64, piece);
        QFETCH(char, silence);
        CueStream stream;
        QSignalSpy told(&stream, &QIODevice::readyRead);
        stream.Play("abcdefg", 5, silence);
        QCOMPARE(told.count(), 1);
        QCOMPARE(stream.bytesAvailable(), 12);
        QCOMPARE(ReadDry(stream, piece), QByteArray("abcdefg") + QByteArray(5, silence));
        QVERIFY(stream.atEnd());
    }

    // A cue played again, or another one, starts from its beginning even
    // if the one before was not read to its end.
    void aNewCueReplacesWhatWasLeft()
    {
        CueStream stream;
        stream.Play("first cue", 4, 0);
        char head[3];
        QCOMPARE(stream.read(head, 3), 3);
        stream.Play("xyz", 2, 0);
        QCOMPARE(ReadDry(stream, 2), QByteArray("xyz\0\0", 5));
    }
};

QTEST_GUILESS_MAIN(tst_CueStream)
#include "tst_cuestream.moc"

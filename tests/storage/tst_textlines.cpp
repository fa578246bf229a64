#include "storage/TextLines.h"

#include <QRandomGenerator>
#include <QTest>

using Lines = QList<QByteArray>;

class tst_TextLines : public QObject {
    Q_OBJECT

private slots:
    void splitsAtEveryKindOfBreak_data();
    void splitsAtEveryKindOfBreak();
    void joinsWithCrLfAfterEveryLine_data();
    void joinsWithCrLfAfterEveryLine();
    void splitUndoesJoin();
};

void tst_TextLines::splitsAtEveryKindOfBreak_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Lines>("lines");

    QTest::newRow("empty file") << QByteArray() << Lines{};
    QTest::newRow("three bare breaks") << QByteArray("\r\n\r\n\r\n") << Lines{"", "", ""};
    QTest::newRow("no final break") << QByteArray("a\r\nb") << Lines{"a", "b"};
    QTest::newRow("LF only") << QByteArray("a\nb\n") << Lines{"a", "b"};
    QTest::newRow("CR only") << QByteArray("a\rb\r") << Lines{"a", "b"};
    QTest::newRow("LF CR ends two") << QByteArray("a\n\rb") << Lines{"a", "", "b"};
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << Lines{"a", "", "b"};
    QTest::newRow("nothing trimmed") << QByteArray("  a \t\r\n ") << Lines{"  a \t", " "};
    QTest::newRow("NUL ends its line and the text") << QByteArray("a\r\nb\0c\r\nd", 10) << Lines{"a", "b"};
    QTest::newRow("NUL at a line's start") << QByteArray("a\r\n\0b", 5) << Lines{"a"};
    QTest::newRow("NUL first") << QByteArray("\0a", 2) << Lines{};
    QTest::newRow("GBK bytes kept") << QByteArray("\xa1\xef\xd2\xbb\r\n\xff\x81") << Lines{"\xa1\xef\xd2\xbb", "\xff\x81"};
    QTest::newRow("single break") << QByteArray("\n") << Lines{""};
}

void tst_TextLines::splitsAtEveryKindOfBreak()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Lines, lines);
    QCOMPARE(TextLines::Split(bytes), lines);

    // Decoded text, one character per byte, is cut at the same places.
    QStringList textLines;
    for (const QByteArray &line : lines)
        textLines << QString::fromLatin1(line);
    QCOMPARE(TextLines::Split(QString::fromLatin1(bytes)), textLines);
}

void tst_TextLines::joinsWithCrLfAfterEveryLine_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("no lines, no bytes") << Lines{} << QByteArray();
    QTest::newRow("one empty line") << Lines{""} << QByteArray("\r\n");
    QTest::newRow("three lines") << Lines{"a", "", "\xa1\xef"} << QByteArray("a\r\n\r\n\xa1\xef\r\n");
}

void tst_TextLines::joinsWithCrLfAfterEveryLine()
{
    QFETCH(Lines, lines);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TextLines::Join(lines), bytes);
}

// Random lines of any bytes but the three that end a line come back whole.
void tst_TextLines::splitUndoesJoin()
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < 500; ++round) {
        Lines lines;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i) {
            QByteArray line;
            const int length = random.bounded(40);
            while (line.size() < length) {
                const char byte = static_cast<char>(random.bounded(256));
                if (byte != '\r' && byte != '\n' && byte != '\0')
                    line += byte;
            }
            lines << line;
        }
        const QByteArray bytes = TextLines::Join(lines);
        QCOMPARE(bytes.count("\r\n"), lines.size());
        QCOMPARE(TextLines::Split(bytes), lines);
    }
}

QTEST_APPLESS_MAIN(tst_TextLines)
#include "tst_textlines.moc"

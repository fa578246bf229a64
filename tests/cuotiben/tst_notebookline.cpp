#include "cuotiben/NotebookLine.h"

#include "arithmetic/Term.h"

#include <QTest>

Q_DECLARE_METATYPE(NotebookEntry)

namespace {

NotebookEntry Entry(const Problem &problem, const QString &answer, QDate missed, MissSource source, int rightCount,
                    QDate due)
{
    NotebookEntry entry;
    entry.Problem = problem;
    entry.Answer = answer;
    entry.Missed = missed;
    entry.Source = source;
    entry.RightCount = rightCount;
    entry.Due = due;
    return entry;
}

NotebookEntry Entry(ArithProblem problem, const QString &answer, QDate missed, MissSource source, int rightCount,
                    QDate due)
{
    return Entry(Problem::From(problem), answer, missed, source, rightCount, due);
}

Problem Remainder(std::int32_t dividend, std::int32_t divisor)
{
    Problem p = Problem::Of(dividend, Operator::Division, divisor);
    p.Result = AnswerValue::WithRemainder(dividend / divisor, dividend % divisor);
    return p;
}

const QDate kMonday(2024, 3, 4);

}  // namespace

class tst_NotebookLine : public QObject {
    Q_OBJECT

private slots:
    void writesSixTabbedGbkFields_data()
    {
        QTest::addColumn<NotebookEntry>("entry");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("practice, due")
            << Entry({9, Operator::Multiplication, 3, 27}, "28", kMonday, MissSource::Practice, 0, kMonday.addDays(1))
            << QByteArray("2024-03-04\t\xc1\xb7\xcf\xb0\t9*3\t28\t0\t2024-03-05");
        QTest::newRow("competition, right twice")
            << Entry({40, Operator::Subtraction, 17, 23}, "07", kMonday, MissSource::Competition, 2,
                     QDate(2024, 3, 15))
            << QByteArray("2024-03-04\t\xbe\xba\xbc\xbc\t40-17\t07\t2\t2024-03-15");
        QTest::newRow("exam, empty box, conquered")
            << Entry({56, Operator::Division, 8, 7}, "", kMonday, MissSource::Exam, 3, QDate())
            << QByteArray("2024-03-04\t\xbf\xbc\xca\xd4\t56/8\t\t3\t\xd2\xd1\xcf\xfb\xc3\xf0");
        // A preset's problem in its whole form, with its kind of answer last.
        QTest::newRow("three terms")
            << Entry(Problem::Of(8, Operator::Subtraction, 3, Operator::Addition, 4), "8", kMonday, MissSource::Practice, 0,
                     kMonday.addDays(1))
            << QByteArray("2024-03-04\t\xc1\xb7\xcf\xb0\t8-3+4=\t8\t0\t2024-03-05\t\xd5\xfb\xca\xfd");
        QTest::newRow("a blank")
            << Entry(Problem::Of(7, Operator::Addition, 3).WithBlank(0), "6", kMonday, MissSource::Exam, 0, kMonday.addDays(1))
            << QByteArray("2024-03-04\t\xbf\xbc\xca\xd4\t()+3=10\t6\t0\t2024-03-05\t\xd5\xfb\xca\xfd");
        QTest::newRow("a blank minuend")
            << Entry(Problem::Of(8, Operator::Subtraction, 3).WithBlank(0), "2", kMonday, MissSource::Practice, 0,
                     kMonday.addDays(1))
            << QByteArray("2024-03-04\t\xc1\xb7\xcf\xb0\t()-3=5\t2\t0\t2024-03-05\t\xd5\xfb\xca\xfd");
        QTest::newRow("a remainder")
            << Entry(Remainder(38, 5), "7……2", kMonday, MissSource::Practice, 0, kMonday.addDays(1))
            << QByteArray("2024-03-04\t\xc1\xb7\xcf\xb0\t38/5=\t7\xa1\xad\xa1\xad""2\t0\t2024-03-05\t\xc9\xcc\xd3\xe0\xca\xfd");
        // Fractions write "÷" and "×" (GBK), as their record lines do.
        QTest::newRow("a fraction divided")
            << Entry(Problem::Of(*Term::Fraction(3, 4), Operator::Division, 3), "1/3", kMonday, MissSource::Practice, 0,
                     kMonday.addDays(1))
            << QByteArray("2024-03-04\t\xc1\xb7\xcf\xb0\t3/4\xa1\xc2""3=\t1/3\t0\t2024-03-05\t\xb7\xd6\xca\xfd");
        QTest::newRow("unlike denominators")
            << Entry(Problem::Of(*Term::Fraction(1, 2), Operator::Addition, *Term::Fraction(2, 6)), "3/8", kMonday,
                     MissSource::Exam, 1, kMonday.addDays(3))
            << QByteArray("2024-03-04\t\xbf\xbc\xca\xd4\t1/2+2/6=\t3/8\t1\t2024-03-07\t\xb7\xd6\xca\xfd");
        QTest::newRow("decimals")
            << Entry(Problem::Of(Term::Decimal(5, 1), Operator::Addition, Term::Decimal(3, 1)), ".8", kMonday,
                     MissSource::Competition, 0, kMonday.addDays(1))
            << QByteArray("2024-03-04\t\xbe\xba\xbc\xbc\t0.5+0.3=\t.8\t0\t2024-03-05\t\xd0\xa1\xca\xfd");
        QTest::newRow("a percent")
            << Entry(Problem::Of(Term::Percent(25), Operator::Multiplication, 40), "100", kMonday, MissSource::Practice, 0,
                     kMonday.addDays(1))
            << QByteArray("2024-03-04\t\xc1\xb7\xcf\xb0\t25%\xa1\xc1""40=\t100\t0\t2024-03-05\t\xb0\xd9\xb7\xd6\xca\xfd");
    }

    void writesSixTabbedGbkFields()
    {
        QFETCH(NotebookEntry, entry);
        QFETCH(QByteArray, line);
        QCOMPARE(NotebookLine::Write(entry), line);
        const std::optional<NotebookEntry> read = NotebookLine::Read(line);
        QVERIFY(read);
        QCOMPARE(NotebookLine::Write(*read), line);
        QCOMPARE(read->Problem, entry.Problem);
        QCOMPARE(read->Answer, entry.Answer);
        QCOMPARE(read->Due, entry.Due);
    }

    void readsBackEveryKindOfEntry_data()
    {
        QTest::addColumn<NotebookEntry>("entry");
        const QDate tuesday = kMonday.addDays(1);
        QTest::newRow("largest product")
            << Entry({10000, Operator::Multiplication, 10000, 100000000}, "1", kMonday, MissSource::Exam, 0, tuesday);
        QTest::newRow("a difference of zero")
            << Entry({5, Operator::Subtraction, 5, 0}, "1", kMonday, MissSource::Practice, 1, tuesday);
        QTest::newRow("Chinese in the answer")
            << Entry({1, Operator::Addition, 1, 2}, "七", kMonday, MissSource::Practice, 0, tuesday);
        QTest::newRow("spaces kept")
            << Entry({1, Operator::Addition, 6, 7}, " 7 ", kMonday, MissSource::Exam, 0, tuesday);
        QTest::newRow("full-width digits")
            << Entry({3, Operator::Addition, 4, 7}, "７", kMonday, MissSource::Exam, 0, tuesday);
        QTest::newRow("brackets") << Entry(Problem::Of(62, Operator::Subtraction, 25, Operator::Addition, 15, Brackets::LastTwo),
                                           "12", kMonday, MissSource::Exam, 0, tuesday);
        QTest::newRow("(a+b)÷c") << Entry(Problem::Of(32, Operator::Addition, 16, Operator::Division, 6, Brackets::FirstTwo),
                                         "9", kMonday, MissSource::Exam, 1, tuesday);
        QTest::newRow("a blank divisor") << Entry(Problem::Of(42, Operator::Division, 7).WithBlank(1), "5", kMonday,
                                                  MissSource::Competition, 2, tuesday);
        QTest::newRow("a zero operand") << Entry(Problem::Of(0, Operator::Addition, 4), "5", kMonday, MissSource::Practice,
                                                 0, tuesday);
        QTest::newRow("a zero second operand")
            << Entry(Problem::Of(7, Operator::Multiplication, 0), "7", kMonday, MissSource::Exam, 0, tuesday);
    }

    void readsBackEveryKindOfEntry()
    {
        QFETCH(NotebookEntry, entry);
        const std::optional<NotebookEntry> read = NotebookLine::Read(NotebookLine::Write(entry));
        QVERIFY(read);
        QCOMPARE(read->Problem, entry.Problem);
        QCOMPARE(read->Answer, entry.Answer);
        QCOMPARE(read->Missed, entry.Missed);
        QCOMPARE(read->Source, entry.Source);
        QCOMPARE(read->RightCount, entry.RightCount);
        QCOMPARE(read->Due, entry.Due);
    }

    // Anything the program would not have written itself stays a foreign
    // line, which the notebook keeps but does not show.
    void refusesLinesItDidNotWrite_data()
    {
        QTest::addColumn<QByteArray>("line");
        const QByteArray practice("\xc1\xb7\xcf\xb0");
        const QByteArray conquered("\xd2\xd1\xcf\xfb\xc3\xf0");
        const QByteArray whole("\t\xd5\xfb\xca\xfd");
        const auto line = [&](const char *date, const QByteArray &source, const char *problem, const char *answer,
                              const char *count, const QByteArray &due) {
            return QByteArray(date) + '\t' + source + '\t' + problem + '\t' + answer + '\t' + count + '\t' + due;
        };
        QTest::newRow("an empty line") << QByteArray();
        QTest::newRow("plain text") << QByteArray("hello");
        QTest::newRow("five fields") << QByteArray("2024-03-04\t") + practice + "\t9*3\t28\t0";
        QTest::newRow("seven fields") << line("2024-03-04", practice, "9*3", "28", "0", "2024-03-05") + "\tx";
        QTest::newRow("a date without zeros") << line("2024-3-4", practice, "9*3", "28", "0", "2024-03-05");
        QTest::newRow("no such day") << line("2024-02-30", practice, "9*3", "28", "0", "2024-03-05");
        QTest::newRow("an unknown source") << line("2024-03-04", "drill", "9*3", "28", "0", "2024-03-05");
        QTest::newRow("a source in UTF-8") << line("2024-03-04", "练习", "9*3", "28", "0", "2024-03-05");
        QTest::newRow("a leading zero") << line("2024-03-04", practice, "09*3", "28", "0", "2024-03-05");
        QTest::newRow("an operand of zero") << line("2024-03-04", practice, "0+3", "28", "0", "2024-03-05");
        QTest::newRow("a negative operand") << line("2024-03-04", practice, "-2+3", "28", "0", "2024-03-05");
        QTest::newRow("no operator") << line("2024-03-04", practice, "93", "28", "0", "2024-03-05");
        QTest::newRow("an unknown operator") << line("2024-03-04", practice, "9x3", "28", "0", "2024-03-05");
        QTest::newRow("a division with a remainder") << line("2024-03-04", practice, "7/2", "3", "0", "2024-03-05");
        QTest::newRow("a product past 32 bits")
            << line("2024-03-04", practice, "99999*99999", "1", "0", "2024-03-05");
        QTest::newRow("an operand past 32 bits")
            << line("2024-03-04", practice, "2147483648+1", "1", "0", "2024-03-05");
        QTest::newRow("a sum past 32 bits") << line("2024-03-04", practice, "2147483647+1", "1", "0", "2024-03-05");
        // Hand-edited whole forms whose working out leaves 32 bits.
        QTest::newRow("a blank past 32 bits")
            << line("2024-03-04", practice, "()/999999999=999999999", "1", "0", "2024-03-05") + whole;
        QTest::newRow("a product past 32 bits, whole form")
            << line("2024-03-04", practice, "999999999*999999999=", "1", "0", "2024-03-05") + whole;
        QTest::newRow("three factors past 64 bits")
            << line("2024-03-04", practice, "999999999*999999999*999999999=", "1", "0", "2024-03-05") + whole;
        QTest::newRow("a bracket past 32 bits")
            << line("2024-03-04", practice, "1-(999999999*999999999)=", "1", "0", "2024-03-05") + whole;
        QTest::newRow("a count too high to be due") << line("2024-03-04", practice, "9*3", "28", "3", "2024-03-05");
        QTest::newRow("conquered too early") << line("2024-03-04", practice, "9*3", "28", "2", conquered);
        QTest::newRow("a count of two digits") << line("2024-03-04", practice, "9*3", "28", "10", "2024-03-05");
        QTest::newRow("a count that is no number") << line("2024-03-04", practice, "9*3", "28", "x", "2024-03-05");
        QTest::newRow("bytes that are not GBK") << line("2024-03-04", practice, "9*3", "\xff\xfe", "0", "2024-03-05");
        QTest::newRow("a NUL in the answer")
            << line("2024-03-04", practice, "9*3", "2", "0", "2024-03-05").insert(21, '\0');
        QTest::newRow("a byte-order mark") << "\xef\xbb\xbf" + line("2024-03-04", practice, "9*3", "28", "0",
                                                                     "2024-03-05");
    }

    void refusesLinesItDidNotWrite()
    {
        QFETCH(QByteArray, line);
        QCOMPARE(NotebookLine::Read(line).has_value(), false);
    }

    void answersAreKeptOnOneLine_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digits") << "28" << "28";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("a tab") << "2\t8" << "2 8";
        QTest::newRow("CR LF") << "2\r\n8" << "2  8";
        QTest::newRow("a NUL") << QString::fromLatin1("2\0" "8", 3) << "2 8";
        QTest::newRow("Chinese") << "二十八" << "二十八";
        QTest::newRow("an emoji") << "2\U0001F600" << "2?";
        QTest::newRow("a lone surrogate") << QString(QChar(0xD800)) << "?";
        QTest::newRow("private use") << QString(QChar(0xE000)) << "?";
        QTest::newRow("just fits") << QString(NotebookLine::MaxAnswerLength, u'7')
                                   << QString(NotebookLine::MaxAnswerLength, u'7');
        QTest::newRow("too long") << QString(100000, u'7') << QString(NotebookLine::MaxAnswerLength, u'7') + "…";
    }

    void answersAreKeptOnOneLine()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(NotebookLine::OneLineAnswer(typed), kept);
        // Whatever was typed, the line reads back as the entry it was.
        NotebookEntry entry = Entry({9, Operator::Multiplication, 3, 27}, typed, kMonday, MissSource::Practice, 0,
                                    kMonday.addDays(1));
        const QByteArray line = NotebookLine::Write(entry);
        QVERIFY(!line.contains('\r') && !line.contains('\n') && !line.contains('\0'));
        const std::optional<NotebookEntry> read = NotebookLine::Read(line);
        QVERIFY(read);
        QCOMPARE(read->Answer, kept);
    }

    void splitsAtEveryKindOfLineEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QByteArray>>("lines");
        using Lines = QList<QByteArray>;
        QTest::newRow("nothing") << QByteArray() << Lines{};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << Lines{"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << Lines{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << Lines{"a", "b"};
        QTest::newRow("no break at the end") << QByteArray("a\r\nb") << Lines{"a", "b"};
        QTest::newRow("empty lines go") << QByteArray("\r\n\r\na\n\r\rb\r\n\r\n") << Lines{"a", "b"};
        QTest::newRow("a NUL ends nothing") << QByteArray("a\0b\r\nc", 6) << Lines{QByteArray("a\0b", 3), "c"};
    }

    void splitsAtEveryKindOfLineEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QByteArray>, lines);
        QCOMPARE(NotebookLine::Split(bytes), lines);
    }
};

QTEST_APPLESS_MAIN(tst_NotebookLine)
#include "tst_notebookline.moc"

#include "storage/ChildList.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Adds the named children one by one as the window does, trying again while
// another copy holds the list; the new child's folder is made at once.
// Returns how many could not be added.
int AddAll(const QString &folder, const QStringList &names)
{
    ChildList children(ChildList::PathIn(folder));
    const ChildList::IdTaken taken = [&folder](int id) { return QDir(folder + QString::number(id)).exists(); };
    int failed = 0;
    for (const QString &name : names) {
        ChildListChange change = children.Add(name, QStringLiteral("cat"), taken);
        while (change && change->text.contains(u"another copy")) {
            QThread::msleep(1);
            change = children.Add(name, QStringLiteral("cat"), taken);
        }
        if (change || !QDir().mkpath(folder + QString::number(children.Current().id)))
            ++failed;
    }
    return failed;
}

}  // namespace

class tst_ChildList : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        folder_ = dir_.path() + u'/';
        path_ = ChildList::PathIn(folder_);
    }
    void cleanup() { QDir(dir_.path()).removeRecursively(); QDir().mkpath(dir_.path()); }

    // Two copies of the program adding children at the same moment: every
    // child is kept, each with an id of their own.
    void twoCopiesAddingAtOnce()
    {
        const QStringList mine{"甲1", "甲2", "甲3", "甲4", "甲5"};
        const QStringList theirs{"乙1", "乙2", "乙3", "乙4", "乙5"};
        const pid_t other = ::fork();
        QVERIFY(other >= 0);
        if (other == 0)
            ::_exit(AddAll(folder_, theirs));
        const int failedHere = AddAll(folder_, mine);
        int status = 0;
        QCOMPARE(::waitpid(other, &status, 0), other);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(failedHere, 0);

        ChildList children(path_);
        QCOMPARE(children.Load(), std::nullopt);
        QStringList names;
        QSet<int> ids;
        for (const Child &child : children.Present()) {
            names << child.name;
            ids << child.id;
        }
        QStringList added = QStringList{"小朋友"} + mine + theirs;
        names.sort();
        added.sort();
        QCOMPARE(names, added);
        QCOMPARE(ids.size(), 11);
    }

    void newIdIsNeverOneAChildHad_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QList<int>>("taken");
        QTest::addColumn<int>("newId");
        QTest::addColumn<QStringList>("present");
        const QByteArray two = "当前\t2\r\n1\tpanda\t小雨\r\n2\tcat\t小明\r\n";
        QTest::newRow("after the last") << two << QList<int>{} << 3 << QStringList{"小雨", "小明"};
        QTest::newRow("a last line cut short") << two + "3\tfo" << QList<int>{} << 4 << QStringList{"小雨", "小明"};
        QTest::newRow("a lost line, its folder or history left")
            << two << QList<int>{3, 4} << 5 << QStringList{"小雨", "小明"};
        QTest::newRow("a removed child's") << two + "3\tfox\t小红\t移走\r\n" << QList<int>{} << 4
                                           << QStringList{"小雨", "小明"};
        QTest::newRow("a second line for an id") << two + "2\tfox\t小红\r\n" << QList<int>{} << 3
                                                 << QStringList{"小雨", "小明"};
        QTest::newRow("an old list of three fields") << QByteArray("当前\t1\n1\tpanda\t小雨\n") << QList<int>{2} << 3
                                                     << QStringList{"小雨"};
    }

    void newIdIsNeverOneAChildHad()
    {
        QFETCH(QByteArray, list);
        QFETCH(QList<int>, taken);
        QFETCH(int, newId);
        QFETCH(QStringList, present);
        QVERIFY(TestFiles::WriteAll(path_, list));
        ChildList children(path_);
        QCOMPARE(children.Load(), std::nullopt);
        QStringList names;
        for (const Child &child : children.Present())
            names << child.name;
        QCOMPARE(names, present);

        QVERIFY(!children.Add(QStringLiteral("新来的"), QStringLiteral("pig"),
                              [&taken](int id) { return taken.contains(id); }));
        QCOMPARE(children.Current().id, newId);
        // Nothing the file held is lost: a line not read comes back as it was.
        const QByteArray saved = TestFiles::ReadAll(path_);
        for (const QByteArray &line : list.split('\n')) {
            if (!line.trimmed().isEmpty() && !line.startsWith("当前"))
                QVERIFY2(saved.contains(line.trimmed()), line.constData());
        }
    }

    // A list that cannot be read is never saved over.
    void anUnreadableListIsLeftAsItIs()
    {
        QVERIFY(QDir().mkpath(path_));
        ChildList children(path_);
        QVERIFY(children.Load());
        const ChildListChange change = children.Add(QStringLiteral("小明"), QStringLiteral("cat"), {});
        QVERIFY(change);
        QCOMPARE(change->kind, ChildListRefusal::Kind::NotWritten);
        QVERIFY(QFileInfo(path_).isDir());
    }

    // A list written before grades reads as it did, each grade missing; a
    // grade set is kept on a line of its own, which an older copy keeps as
    // it is, and read back whichever comes first.
    void gradesKeptBesideAnOldList_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray old("当前\t2\r\n1\tpanda\t小朋友\r\n2\tcat\t小红\r\n3\tfox\t小明\t移走\r\n");
        QTest::newRow("an old list")
            << old << QByteArray("当前\t2\r\n1\tpanda\t小朋友\r\n2\tcat\t小红\r\n年级\t2\t1\r\n"
                                 "3\tfox\t小明\t移走\r\n");
        // An older copy saving put the grade line last.
        QTest::newRow("a grade line last")
            << old + "年级\t2\t3\r\n"
            << QByteArray("当前\t2\r\n1\tpanda\t小朋友\r\n2\tcat\t小红\r\n年级\t2\t1\r\n"
                          "3\tfox\t小明\t移走\r\n");
        QTest::newRow("a grade of no child is kept as it is")
            << old + "年级\t9\t3\r\n"
            << QByteArray("当前\t2\r\n1\tpanda\t小朋友\r\n2\tcat\t小红\r\n年级\t2\t1\r\n"
                          "3\tfox\t小明\t移走\r\n年级\t9\t3\r\n");
    }

    void gradesKeptBesideAnOldList()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QVERIFY(TestFiles::WriteAll(path_, before));
        ChildList children(path_);
        QCOMPARE(children.Load(), std::nullopt);
        QCOMPARE(children.Present().size(), 2);
        QCOMPARE(children.Find(1)->grade, std::nullopt);
        QCOMPARE(children.SetGrade(2, 1), std::nullopt);
        QCOMPARE(TestFiles::ReadAll(path_), after);
        ChildList again(path_);
        QCOMPARE(again.Load(), std::nullopt);
        QCOMPARE(again.Find(2)->grade, 1);
        QCOMPARE(again.Find(1)->grade, std::nullopt);
        QCOMPARE(again.Current().id, 2);
        // No grade past 六年级.
        QCOMPARE(again.SetGrade(2, 7), std::nullopt);
        QCOMPARE(again.Find(2)->grade, 1);
    }

private:
    QTemporaryDir dir_;
    QString folder_;
    QString path_;
};

QTEST_GUILESS_MAIN(tst_ChildList)
#include "tst_childlist.moc"

#include "sound/CuePlayer.h"
#include "sound/Cues.h"
#include "sound/WavFile.h"
#include "support/Recorders.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <QFileInfo>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

// Real playback, not the test listener: whatever the file and whatever the
// machine's sound, a cue returns at once and reports nothing.
class tst_Cues : public QObject {
    Q_OBJECT

private slots:
    // The portable folder's Sound is a link to the cues' real folder, as a
    // packager or a user makes it, and one cue in it links further on.
    void initTestCase()
    {
        const QString folder = QCoreApplication::applicationDirPath();
        const QString linked = folder + QStringLiteral("/Sound");
        if (QFileInfo(linked).isSymLink())
            QVERIFY(QFile::remove(linked));
        else
            QVERIFY(QDir(linked).removeRecursively());
        const QString sound = folder + QStringLiteral("/shipped-cues/");
        QVERIFY(QDir(sound).removeRecursively() && QDir().mkpath(sound));
        QVERIFY(QFile::link(sound, linked));
        QVERIFY(QFile::copy(QStringLiteral(CUE_FOLDER "/dui.wav"), sound + "dui.wav"));
        QVERIFY(QFile::copy(QStringLiteral(CUE_FOLDER "/cuo.wav"), sound + "in-a-linked-folder.wav"));
        QFile::remove(folder + "/elsewhere.wav");
        QVERIFY(QFile::copy(QStringLiteral(CUE_FOLDER "/tishi.WAV"), folder + "/elsewhere.wav"));
        QVERIFY(QFile::link(folder + "/elsewhere.wav", sound + "linked.wav"));
        // The cue player plugin where a portable folder keeps it.
        const QString plugin = QCoreApplication::applicationDirPath() + QStringLiteral("/numbrook-cues.so");
        QFile::remove(plugin);
        QVERIFY(QFile::copy(QStringLiteral(CUE_PLAYER_PLUGIN), plugin));
        QFile broken(sound + "broken.wav");
        QVERIFY2(broken.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(broken.errorString()));
        QCOMPARE(broken.write("RIFF\x10\0\0\0WAVEfmt junk", 20), 20);
        broken.close();
        QFile::remove(sound + "pipe.wav");
        QCOMPARE(::mkfifo(QFile::encodeName(sound + "pipe.wav").constData(), 0600), 0);
    }

    // The player opens the file where the links point.
    void aLinkedFolderOrCueIsPlayed_data()
    {
        QTest::addColumn<QString>("cue");
        QTest::addColumn<QString>("file");
        QTest::newRow("the Sound folder a link") << "Sound\\in-a-linked-folder.wav" << "shipped-cues/in-a-linked-folder.wav";
        QTest::newRow("the cue a link too") << "Sound\\linked.wav" << "elsewhere.wav";
    }

    void aLinkedFolderOrCueIsPlayed()
    {
        QFETCH(QString, cue);
        QFETCH(QString, file);
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0);
        const QByteArray target = QFile::encodeName(QCoreApplication::applicationDirPath() + QLatin1Char('/') + file);
        QVERIFY(::inotify_add_watch(watch, target.constData(), IN_OPEN) >= 0);
        NoticeRecorder notices;
        PlayCue(cue);
        alignas(inotify_event) char events[4096];
        const bool opened = ::read(watch, events, sizeof events) > 0;
        ::close(watch);
        QVERIFY2(opened, "the cue file was never opened");
        QVERIFY(notices.seen.isEmpty());
    }

    // A named pipe would wait for a writer for ever if it were opened.
    void everyKindOfCueReturnsAtOnceSilently()
    {
        NoticeRecorder notices;
        Cues::Preload();
        QElapsedTimer clock;
        clock.start();
        for (const char *cue : {"Sound\\no-such-cue.wav", "Sound\\broken.wav", "Sound\\pipe.wav", "Sound\\dui.wav",
                                "Sound\\dui.wav", "Sound\\broken.wav"})
            PlayCue(QLatin1String(cue));
        QVERIFY2(clock.elapsed() < 200, "a cue must not wait for playback");
        QTest::qWait(50);
        QVERIFY(notices.seen.isEmpty());
    }

    // Every sample format the reader gives: the device must be told frames
    // of exactly the size and kind the file's are.
    void theDeviceIsToldTheFilesFormat_data()
    {
        QTest::addColumn<WavFile::SampleFormat>("format");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QAudioFormat::SampleFormat>("expected");
        QTest::newRow("8-bit stereo") << WavFile::SampleFormat::UInt8 << 2 << QAudioFormat::UInt8;
        QTest::newRow("16-bit mono, the shipped cues") << WavFile::SampleFormat::Int16 << 1 << QAudioFormat::Int16;
        QTest::newRow("24- or 32-bit") << WavFile::SampleFormat::Int32 << 1 << QAudioFormat::Int32;
        QTest::newRow("32-bit float, 8 channels") << WavFile::SampleFormat::Float << 8 << QAudioFormat::Float;
    }

    void theDeviceIsToldTheFilesFormat()
    {
        QFETCH(WavFile::SampleFormat, format);
        QFETCH(int, channels);
        QFETCH(QAudioFormat::SampleFormat, expected);
        WavFile::Sound sound;
        sound.sampleRate = 22050;
        sound.channelCount = channels;
        sound.format = format;
        const QAudioFormat told = CuePlayer::FormatOf(sound);
        QCOMPARE(told.sampleFormat(), expected);
        QCOMPARE(told.bytesPerFrame(), sound.BytesPerFrame());
        QCOMPARE(told.sampleRate(), 22050);
        QCOMPARE(told.channelCount(), channels);
    }

    void listenerHearsTheCueInsteadOfPlayback()
    {
        CueRecorder cues;
        PlayCue(QStringLiteral("Sound\\tishi.WAV"));
        PlayCue(QStringLiteral("Sound\\jingsai.wav"));
        QCOMPARE(cues.asked, (QStringList{"Sound\\tishi.WAV", "Sound\\jingsai.wav"}));
    }
};

QTEST_MAIN(tst_Cues)
#include "tst_cues.moc"

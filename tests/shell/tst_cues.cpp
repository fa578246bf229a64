#include "shell/Cues.h"
#include "support/Recorders.h"

#include <QElapsedTimer>
#include <QTest>

// Real playback, not the test listener: whatever the file and whatever the
// machine's sound, a cue returns at once and reports nothing.
class tst_Cues : public QObject {
    Q_OBJECT

private slots:
    void missingAndPresentCuesReturnAtOnceSilently()
    {
        NoticeRecorder notices;
        Cues::Preload();
        QElapsedTimer clock;
        clock.start();
        PlayCue(QStringLiteral("Sound\\no-such-cue.wav"));
        PlayCue(QStringLiteral("Sound\\dui.wav"));
        PlayCue(QStringLiteral("Sound\\cuo.wav"));
        QVERIFY2(clock.elapsed() < 200, "a cue must not wait for playback");
        QTest::qWait(50);
        QVERIFY(notices.seen.isEmpty());
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

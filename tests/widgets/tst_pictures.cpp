#include "widgets/Pictures.h"

#include <QResource>
#include <QTest>

// The menu's pictures come drawn ahead by the build: what the child sees must
// be exactly what the program would draw from the art as it stands.
class tst_Pictures : public QObject {
    Q_OBJECT

private slots:
    void predrawnPicturesAreTheArtAsItStands_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        for (const qreal ratio : {1.0, 2.0}) {
            QTest::addRow("menu at %g", ratio) << ":/menu/background.svg" << QSize(792, 545) << ratio;
            QTest::addRow("pen cursor at %g", ratio) << ":/cursors/pen.svg" << QSize(32, 32) << ratio;
        }
    }

    void predrawnPicturesAreTheArtAsItStands()
    {
        QFETCH(QString, picture);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QVERIFY(QResource(Pictures::PredrawnPath(picture, size, ratio)).isValid());
        const QPixmap shown = Pictures::Render(picture, size, ratio);
        QCOMPARE(shown.devicePixelRatio(), ratio);
        // An opaque picture may be held without its alpha channel.
        QCOMPARE(shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), Pictures::Draw(picture, size, ratio));
    }
};

QTEST_MAIN(tst_Pictures)
#include "tst_pictures.moc"

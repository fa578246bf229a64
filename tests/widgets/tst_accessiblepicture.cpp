#include "support/AccessibleTree.h"
#include "widgets/PictureBox.h"
#include "widgets/Runner.h"
#include "widgets/Shape.h"

#include <QTest>

// Pictures are announced as named images, not as unnamed areas.
class tst_AccessiblePicture : public QObject {
    Q_OBJECT

private slots:
    // A mark of the exam paper gets its picture only when it is graded.
    void aPictureBoxIsAnImageWhileItHoldsAPicture()
    {
        PictureBox box;
        box.setAccessibleName(QStringLiteral("对"));
        QCOMPARE(AccessibleTree::Of(&box)->role(), QAccessible::Client);
        box.setPicture(QStringLiteral(":/marks/tick.svg"));
        QCOMPARE(AccessibleTree::Of(&box)->role(), QAccessible::Graphic);
        QCOMPARE(AccessibleTree::Name(&box), QStringLiteral("对"));
        box.setPicture(QString());
        QCOMPARE(AccessibleTree::Of(&box)->role(), QAccessible::Client);
    }

    void aShapeIsAnImageAndTheDogAnAnimationOfImages()
    {
        QWidget window;
        Shape circle(&window);
        PictureBox *frames[6] = {};
        Runner dog(&window, {{{&frames[0], "Image3"}, {&frames[1], "Image4"}, {&frames[2], "Image5"},
                              {&frames[3], "Image6"}, {&frames[4], "Image7"}, {&frames[5], "Image8"}}});
        QCOMPARE(AccessibleTree::Of(&circle)->role(), QAccessible::Graphic);
        QAccessibleInterface *spokenDog = AccessibleTree::Of(&dog);
        QCOMPARE(spokenDog->role(), QAccessible::Animation);
        QCOMPARE(spokenDog->childCount(), 6);
        for (PictureBox *frame : frames) {
            QCOMPARE(AccessibleTree::Of(frame)->role(), QAccessible::Graphic);
            QCOMPARE(AccessibleTree::Name(frame), QStringLiteral("小狗"));
        }
    }
};

QTEST_MAIN(tst_AccessiblePicture)
#include "tst_accessiblepicture.moc"

#include "res/Images.h"
#include "res/Resource.h"

#include <QGuiApplication>
#include <QImage>
#include <QTest>

class ImagesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }

    void clockIcon()
    {
        const QImage clock = QPixmap(QStringLiteral(":/res/clock.png")).toImage();
        QCOMPARE(clock.size(), QSize(32, 32));
        QCOMPARE(clock.pixelColor(1, 1), QColor(255, 0, 0)); // the red frame
        QCOMPARE(clock.pixelColor(30, 16), QColor(255, 0, 0));
        QCOMPARE(clock.pixelColor(15, 9), QColor(0, 0, 128));  // hand at twelve
        QCOMPARE(clock.pixelColor(22, 16), QColor(0, 0, 128)); // hand at three
        QCOMPARE(clock.pixelColor(16, 16), QColor(0, 255, 255));
        QCOMPARE(clock.pixelColor(0, 0).alpha(), 0);
        const QIcon icon = res::LoadIconResource(IDI_CLOCK);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes().size(), 6);
        QVERIFY(res::LoadIconResource(IDB_BANNER).isNull());
    }

    void banner()
    {
        const QImage banner = res::LoadBitmapResource(IDB_BANNER).toImage();
        QCOMPARE(banner.size(), QSize(247, 26));
        QCOMPARE(banner.pixelColor(5, 12), QColor(255, 0, 0)); // red ground
        int white = 0;
        for (int y = 0; y < banner.height(); ++y)
            for (int x = 0; x < banner.width(); ++x)
                white += banner.pixelColor(x, y) == QColor(255, 255, 255);
        QVERIFY2(white > 300, qPrintable(QString::number(white)));
        QCOMPARE(banner.pixelColor(12, 8), QColor(255, 255, 255)); // the top of the "q"
        QCOMPARE(banner.pixelColor(10, 8), QColor(255, 0, 0));     // left of its bowl
        QVERIFY(res::LoadBitmapResource(IDI_CLOCK).isNull());
    }

    void handCursor()
    {
        const QImage hand = QPixmap(QStringLiteral(":/res/hand.png")).toImage();
        QCOMPARE(hand.size(), QSize(32, 32));
        QCOMPARE(hand.pixelColor(5, 0), QColor(0, 0, 0)); // the hot spot is opaque black
        QCOMPARE(hand.pixelColor(5, 0).alpha(), 255);
        QCOMPARE(hand.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(hand.pixelColor(6, 3), QColor(255, 255, 255));
        const QCursor cursor = res::LoadCursorResource(IDC_HAND);
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(5, 0));
        QCOMPARE(res::LoadCursorResource(IDB_BANNER).shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(ImagesTest)
#include "ImagesTest.moc"

// The clock face: hand geometry as computed points and as painted pixels.
#include "tests/support/ViewHarness.h"
#include "view/ClockHands.h"
#include "view/QuillonView.h"

#include <QAccessible>
#include <QImage>
#include <QTest>

namespace {

using testsupport::PaintFace;

QColor Pixel(const QImage& image, CPoint p)
{
    return QColor(image.pixel(p.x, p.y));
}

const QColor kSecond(100, 200, 200);
const QColor kMinute(0, 160, 160);
const QColor kHour(0, 150, 150);
const QColor kYellow(255, 255, 0);

} // namespace

class ClockFaceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialGeometry()
    {
        CQuillonView view;
        QCOMPARE(view.m_secondLength, 38);
        QCOMPARE(view.m_minuteLength, 36);
        QCOMPARE(view.m_hourLength, 26);
        QCOMPARE(view.m_secondTip, (CPoint{50, 12}));
        QCOMPARE(view.m_minuteTip, (CPoint{50, 14}));
        QCOMPARE(view.m_hourTip, (CPoint{50, 24}));
        QCOMPARE(view.m_hour + view.m_minute + view.m_second, 0);
    }

    void handTips_data()
    {
        QTest::addColumn<int>("hand"); // 0 hour, 1 minute, 2 second
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("second at 5 s") << 2 << 0 << 0 << 5 << 68 << 17;
        QTest::newRow("second at 15 s") << 2 << 0 << 0 << 15 << 88 << 49;
        QTest::newRow("second at 30 s") << 2 << 0 << 0 << 30 << 50 << 88;
        QTest::newRow("second at 45 s") << 2 << 0 << 0 << 45 << 12 << 50;
        QTest::newRow("minute at 15 min") << 1 << 0 << 15 << 0 << 86 << 49;
        QTest::newRow("hour at 3:00") << 0 << 3 << 0 << 0 << 76 << 49;
        QTest::newRow("hour at 3:59") << 0 << 3 << 59 << 0 << 73 << 60;
        QTest::newRow("hour at 15:00 as 3:00") << 0 << 15 << 0 << 0 << 76 << 49;
    }

    // Each tip is checked as a computed point and as a pixel of the hand's own colour,
    // with the dial's black just beyond it.
    void handTips()
    {
        QFETCH(int, hand);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, second);
        QFETCH(int, x);
        QFETCH(int, y);
        CQuillonView view;
        const CPoint tips[] = {view.m_hourTip, view.m_minuteTip, view.m_secondTip};
        const int lengths[] = {view.m_hourLength, view.m_minuteLength, view.m_secondLength};
        const int units[] = {HourHandUnits(hour, minute), minute, second};
        const CPoint tip = HandTip(tips[hand], lengths[hand], units[hand]);
        QCOMPARE(tip, (CPoint{x, y}));

        const QImage image = PaintFace(view, hour, minute, second);
        const QColor colours[] = {kHour, kMinute, kSecond};
        QCOMPARE(Pixel(image, tip), colours[hand]);
        // Beyond the tip, away from the centre, the hand has ended.
        const int dx = x > 50 ? 1 : (x < 50 ? -1 : 0);
        const int dy = y > 50 ? 1 : (y < 50 ? -1 : 0);
        const int reach = hand == 2 ? 3 : 5;
        QVERIFY(Pixel(image, {x + dx * reach, y + dy * reach}) != colours[hand]);
        // Painting leaves the tips at 12 o'clock.
        QCOMPARE(view.m_secondTip, (CPoint{50, 12}));
        QCOMPARE(view.m_hourTip, (CPoint{50, 24}));
    }

    void hourUnits()
    {
        QCOMPARE(HourHandUnits(3, 59), 19);
        // Hours 12-23 land where 0-11 put the hand.
        QCOMPARE(HandTip({50, 24}, 26, HourHandUnits(15, 0)), HandTip({50, 24}, 26, HourHandUnits(3, 0)));
        QCOMPARE(HourHandUnits(23, 59), 119);
    }

    void sameDrawingForAmAndPm()
    {
        CQuillonView view;
        const QImage am = PaintFace(view, 3, 0, 0);
        const QImage pm = PaintFace(view, 15, 0, 0);
        // Only the digital band differs.
        QCOMPARE(am.copy(0, 0, 150, 103), pm.copy(0, 0, 150, 103));
    }

    void beforeFirstTick()
    {
        CQuillonView view;
        const QImage image = PaintFace(view, 0, 0, 0);
        QCOMPARE(view.m_timeText, CString("0:00:00"));
        // All three hands point straight up: the second hand is drawn last, over the others.
        QCOMPARE(Pixel(image, {50, 12}), kSecond);
        QCOMPARE(Pixel(image, {50, 30}), kSecond);
        QCOMPARE(Pixel(image, {50, 70}), QColor(Qt::black));
    }

    void digitalText_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("x");
        QTest::newRow("single digit") << 9 << QStringLiteral("9:05:03") << 20;
        QTest::newRow("ten o'clock") << 10 << QStringLiteral("10:05:03") << 20;
        QTest::newRow("eleven o'clock") << 11 << QStringLiteral("11:05:03") << 14;
        QTest::newRow("evening") << 23 << QStringLiteral("23:05:03") << 14;
    }

    void digitalText()
    {
        QFETCH(int, hour);
        QFETCH(QString, text);
        QFETCH(int, x);
        CQuillonView view;
        const QImage image = PaintFace(view, hour, 5, 3);
        QCOMPARE(view.m_timeText.ToQString(), text);
        // A screen reader reads the face and the digital line as one object carrying the time.
        QAccessibleInterface* clock = QAccessible::queryAccessibleInterface(&view);
        QCOMPARE(clock->role(), QAccessible::StaticText);
        QCOMPARE(clock->text(QAccessible::Name), QStringLiteral("Clock"));
        QCOMPARE(clock->text(QAccessible::Description), text);
        // The first yellow column of the band is where the text starts (glyphs have a small bearing).
        int first = -1;
        for (int col = 0; col < 150 && first < 0; ++col)
            for (int row = 108; row < 128; ++row)
                if (QColor(image.pixel(col, row)) == kYellow) {
                    first = col;
                    break;
                }
        QVERIFY2(first >= x && first <= x + 3, qPrintable(QString::number(first)));
    }

    void faceColours()
    {
        CQuillonView view;
        const QImage image = PaintFace(view, 0, 0, 0);
        QCOMPARE(Pixel(image, {20, 20}), QColor(Qt::red));   // ring, off the labels
        QCOMPARE(Pixel(image, {1, 1}), QColor(Qt::black));   // background corner
        QCOMPARE(Pixel(image, {30, 30}), QColor(Qt::black)); // dial
        QCOMPARE(Pixel(image, {4, 140}), QColor(Qt::red));   // digital band
        QCOMPARE(Pixel(image, {50, 50}), QColor(Qt::red));   // hub
    }

    // The hub is an ellipse of 2 x 2 drawn with a 4-pixel red pen: a solid red dot that covers
    // the hands where they meet, not a ring with the second hand showing through.
    void theHubIsASolidRedDot()
    {
        CQuillonView view;
        const QImage image = PaintFace(view, 3, 30, 45); // the second hand runs through the centre
        const CPoint c = view.m_dialRect.CenterPoint();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                QCOMPARE(Pixel(image, {c.x + dx, c.y + dy}), QColor(255, 0, 0));
        // It stays a dot: a few pixels out, the dial is black again.
        QCOMPARE(Pixel(image, {c.x, c.y - 5}).red(), 0);
    }
};

QTEST_MAIN(ClockFaceTest)
#include "ClockFaceTest.moc"

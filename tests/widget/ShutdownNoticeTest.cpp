// The on-screen notice of a pending shutdown: countdown, Cancel and Escape.
#include "view/ShutdownNotice.h"

#include <QPushButton>
#include <QTest>

class ShutdownNoticeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsDownAndClosesItself()
    {
        CShutdownNotice notice;
        int cancels = 0;
        notice.Start("Click on the main window and press the Escape key to cancel shutdown.", false, 2,
                     [&] { ++cancels; });
        QVERIFY(notice.isVisible());
        QVERIFY(notice.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(notice.CountdownText(), QStringLiteral("Shutting down in 2 s"));
        QTRY_COMPARE_WITH_TIMEOUT(notice.SecondsLeft(), 1, 3000);
        QCOMPARE(notice.CountdownText(), QStringLiteral("Shutting down in 1 s"));
        QTRY_VERIFY_WITH_TIMEOUT(!notice.isVisible(), 3000);
        QCOMPARE(cancels, 0); // time running out is not a cancel
    }

    void cancelButtonAndEscapeCancelOnce()
    {
        CShutdownNotice notice;
        int cancels = 0;
        notice.Start("message", true, 10, [&] { ++cancels; });
        QCOMPARE(notice.CountdownText(), QStringLiteral("Restarting in 10 s"));
        QTest::mouseClick(notice.findChild<QPushButton*>(), Qt::LeftButton);
        QCOMPARE(cancels, 1);
        QVERIFY(!notice.isVisible());

        notice.Start("message", true, 10, [&] { ++cancels; });
        QTest::keyClick(&notice, Qt::Key_Escape);
        QCOMPARE(cancels, 2);
        QVERIFY(!notice.isVisible());
        // A stopped notice no longer calls back.
        notice.Start("message", true, 10, [&] { ++cancels; });
        notice.Stop();
        QCOMPARE(cancels, 2);
    }
};

QTEST_MAIN(ShutdownNoticeTest)
#include "ShutdownNoticeTest.moc"

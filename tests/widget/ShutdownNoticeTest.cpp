// The on-screen notice of a pending shutdown against the recording shutdown manager: its
// countdown follows the system's due time, Cancel, Escape and the close box cancel, and it stays
// usable above the program's modal dialogs.
#include "view/ShutdownNotice.h"
#include "platform/system/Shutdown.h"
#include "tests/support/ScopedHook.h"
#include <optional>

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
const CString kMessage = "Click on the main window and press the Escape key to cancel shutdown.";

// A click through the widget's window, where a modal window blocks it as it blocks the user.
void Click(QWidget* widget)
{
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), widget->rect().center()));
}
} // namespace

class ShutdownNoticeTest : public QObject
{
    Q_OBJECT

    std::optional<testsupport::InstalledShutdownFake> m_shutdown;
    platform::FakeShutdownService* m_fake = nullptr;

private Q_SLOTS:
    void init() { m_fake = &m_shutdown.emplace().fake; }
    void cleanup()
    {
        m_shutdown.reset();
        m_fake = nullptr;
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void countsDownToTheSystemsDueTimeAndClosesThen()
    {
        QVERIFY(InitiateSystemShutdown(kMessage, 2, false, false));
        CShutdownNotice notice;
        int cancels = 0;
        notice.Start(kMessage, false, [&] { ++cancels; });
        QVERIFY(notice.isVisible());
        QVERIFY(notice.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(notice.CountdownText(), QStringLiteral("Shutting down in 2 s"));
        QTRY_COMPARE_WITH_TIMEOUT(notice.CountdownText(), QStringLiteral("Shutting down in 1 s"), 1500);
        QTRY_VERIFY_WITH_TIMEOUT(!notice.isVisible(), 1500); // due: the system acts
        QCOMPARE(cancels, 0);                                // time running out is not a cancel
    }

    // The countdown is the system's, not a count of its own: a re-scheduled request shows its
    // new due time, one cancelled elsewhere takes the notice away.
    void followsWhatTheSystemHolds()
    {
        QVERIFY(InitiateSystemShutdown(kMessage, 10, false, true));
        CShutdownNotice notice;
        notice.Start(kMessage, true, [] {});
        QCOMPARE(notice.CountdownText(), QStringLiteral("Restarting in 10 s"));
        QVERIFY(InitiateSystemShutdown(kMessage, 30, false, true));
        QTRY_COMPARE_WITH_TIMEOUT(notice.SecondsLeft(), 29, 1500);
        m_fake->pending = {};
        QTRY_VERIFY_WITH_TIMEOUT(!notice.isVisible(), 1500);
        QVERIFY(!notice.IsFollowing());
    }

    // Cancel, Escape and the close box cancel; the notice stays until the cancel worked, and a
    // second click while the first cancel runs adds nothing.
    void cancelButtonEscapeAndCloseBoxCancel()
    {
        QVERIFY(InitiateSystemShutdown(kMessage, 10, false, false));
        CShutdownNotice notice;
        int cancels = 0;
        auto* cancel = notice.findChild<QPushButton*>();
        notice.Start(kMessage, false, [&] {
            ++cancels;
            Click(cancel); // impatient
        });
        Click(cancel);
        QCOMPARE(cancels, 1);
        QVERIFY(notice.isVisible());
        QTest::keyClick(notice.windowHandle(), Qt::Key_Escape);
        QCOMPARE(cancels, 2);
        QCloseEvent close;
        QApplication::sendEvent(notice.windowHandle(), &close); // as the window manager sends it
        QCOMPARE(cancels, 3);
        QVERIFY(notice.isVisible());

        notice.Stop();
        QVERIFY(!notice.isVisible());
        QSignalSpy clicked(cancel, &QPushButton::clicked);
        notice.show();
        Click(cancel);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(cancels, 3); // a stopped notice no longer calls back
        notice.hide();
    }

    // An application-modal dialog opened over the notice: the notice comes back above it and
    // takes the click; a message box is answered first.
    void staysUsableAboveModalDialogs()
    {
        QVERIFY(InitiateSystemShutdown(kMessage, 10, false, false));
        QWidget clock;
        clock.show();
        CShutdownNotice notice(&clock);
        int cancels = 0;
        notice.Start(kMessage, false, [&] { ++cancels; });
        QCOMPARE(notice.windowModality(), Qt::NonModal);

        QDialog dialog(&clock);
        bool aboveDialog = false;
        bool underMessageBox = false;
        QTimer::singleShot(0, &dialog, [&] {
            QTRY_VERIFY(notice.windowModality() == Qt::ApplicationModal && notice.isVisible());
            aboveDialog = QApplication::activeModalWidget() == &notice;
            Click(notice.findChild<QPushButton*>());

            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillon"), QStringLiteral("text"),
                            QMessageBox::Ok, &dialog);
            QTimer::singleShot(0, &box, [&] {
                QTest::qWait(50);
                underMessageBox = QApplication::activeModalWidget() == &box;
                box.accept();
            });
            box.exec();
            dialog.accept();
        });
        dialog.exec();
        QVERIFY(aboveDialog);
        QCOMPARE(cancels, 1);
        QVERIFY(underMessageBox);
        notice.Stop();
        QCOMPARE(notice.windowModality(), Qt::NonModal);
    }

    // The request went unanswered: nothing shows until the system holds it, then the whole
    // delay from then.
    void awaitedRequestShowsOnceGranted()
    {
        m_fake->canAnswer = QStringLiteral("challenge");
        m_fake->loseRequestAnswer = true;
        QVERIFY(!InitiateSystemShutdown(kMessage, 10, false, false));
        CShutdownNotice notice;
        notice.Await(kMessage, false, [] {});
        QVERIFY(!notice.isVisible());
        QVERIFY(notice.IsFollowing());
        m_fake->GrantLostRequest(5);
        QTRY_VERIFY_WITH_TIMEOUT(notice.isVisible(), 2500);
        QCOMPARE(notice.CountdownText(), QStringLiteral("Shutting down in 10 s"));
        notice.Stop();

        // Once the request can no longer be granted, the notice gives up.
        platform::FakeShutdownService never;
        never.canAnswer = QStringLiteral("challenge");
        never.loseRequestAnswer = true;
        const testsupport::ScopedShutdownService useNever{&never};
        QVERIFY(!InitiateSystemShutdown(kMessage, 10, false, false));
        notice.Await(kMessage, false, [] {});
        QVERIFY(notice.IsFollowing());
        never.clockOffsetUsec += 11 * static_cast<qint64>(platform::kUsecPerSecond);
        QTRY_VERIFY_WITH_TIMEOUT(!notice.IsFollowing(), 2500);
        QVERIFY(!notice.isVisible());
    }
};

QTEST_MAIN(ShutdownNoticeTest)
#include "ShutdownNoticeTest.moc"

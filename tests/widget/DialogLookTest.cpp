// The dialogs as the platform draws them: a group box's frame line runs through its title at
// the box's top, so the controls the template places just below that top are inside it.
#include "res/Resource.h"
#include "res/TimerTemplate.h"
#include "view/QuillonView.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class DialogLookTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }

    void theTimersButtonsSitInsideTheirFrame()
    {
        CQuillonView view;
        CTimerDlg& dlg = view.m_timerDlg;
        int frameTop = -1, textTop = -1, textBottom = -1;
        QRect go, box;
        QTimer::singleShot(0, this, [&] {
            QWidget* window = dlg.GetSafeHwnd();
            for (auto* group : window->findChildren<QGroupBox*>())
                if (group->title() == QStringLiteral("Timer"))
                    box = group->geometry();
            QVERIFY(box.isValid());
            go = dlg.GetDlgItem(IDC_TIMER_GO)->GetSafeHwnd()->geometry();
            const QImage image = window->grab().toImage();
            const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 110; };
            // The frame's top line, down a column between the title and the buttons.
            const int x = (box.left() + go.left()) / 2 + 12;
            for (int y = box.top(); y < go.top() + 10 && frameTop < 0; ++y)
                if (qGray(image.pixel(x, y)) < qGray(image.pixel(x, box.center().y())) - 20)
                    frameTop = y;
            // The title's letters, at the box's left.
            for (int y = box.top(); y < box.top() + 30; ++y)
                for (int tx = box.left() + 2; tx < x - 14; ++tx)
                    if (dark(tx, y)) {
                        textTop = textTop < 0 ? y : textTop;
                        textBottom = y;
                    }
            QTest::keyClick(window, Qt::Key_Escape);
        });
        view.OnCmdMsg(ID_CLOCK_TIMER);
        const QString seen = QStringLiteral("frame line at %1, title %2..%3, Go from %4")
                                 .arg(frameTop)
                                 .arg(textTop)
                                 .arg(textBottom)
                                 .arg(go.top());
        QVERIFY2(frameTop >= 0 && textTop >= 0, qPrintable(seen));
        QVERIFY2(textTop < frameTop && frameTop < textBottom, qPrintable(seen)); // through the title
        QVERIFY2(frameTop < go.top(), qPrintable(seen));                         // above the buttons
    }
};

QTEST_MAIN(DialogLookTest)
#include "DialogLookTest.moc"

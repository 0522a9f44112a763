// The About box offscreen: the hand over the banner only, each click hands the maker's
// address to the desktop's URL opener while the box stays open, and OK, Enter and Escape
// close it.
#include "app/AboutDlg.h"
#include "platform/framework/DialogWindow.h"
#include "res/Images.h"
#include "res/Resource.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace {

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

QLabel* Control(QWidget* box, int id)
{
    for (auto* label : box->findChildren<QLabel*>())
        if (platform::ControlIdOf(label) == id)
            return label;
    return nullptr;
}

void Hover(QWidget* widget)
{
    QEnterEvent enter(QPointF(3, 3), widget->mapTo(widget->window(), QPointF(3, 3)),
                      widget->mapToGlobal(QPointF(3, 3)));
    QApplication::sendEvent(widget, &enter);
}

// Runs `act` on the box once it is up, then returns what DoModal returned.
int RunAbout(const std::function<void(QWidget*)>& act)
{
    CAboutDlg dlg;
    QTimer::singleShot(0, [act] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        act(box);
    });
    return dlg.DoModal();
}

} // namespace

class AboutDlgTest : public QObject
{
    Q_OBJECT

private:
    UrlCatcher m_catcher;

private Q_SLOTS:
    void initTestCase()
    {
        res::RegisterResources();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_catcher, "open");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    void init() { m_catcher.opened.clear(); }
    void cleanup()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QDialog*>(window) && window->isVisible()));
    }

    void showsTheProgramAndItsPictures()
    {
        QString caption;
        QStringList texts;
        bool banner = false;
        bool icon = false;
        const int result = RunAbout([&](QWidget* box) {
            caption = box->windowTitle();
            for (auto* label : box->findChildren<QLabel*>()) {
                texts << label->text();
                if (platform::ControlIdOf(label) == IDC_BANNER)
                    banner = label->pixmap().size() == QSize(247, 26);
                else if (!label->pixmap().isNull())
                    icon = true;
            }
            box->findChild<QPushButton*>()->click();
        });
        QCOMPARE(result, int(IDOK));
        QCOMPARE(caption, QStringLiteral("About Quillon"));
        QVERIFY(texts.contains(QStringLiteral("Quillon Version 1.0")));
        QVERIFY(texts.contains(QStringLiteral("Website: ")));
        QVERIFY(texts.contains(QStringLiteral("quillon.example.org")));
        QVERIFY(banner);
        QVERIFY(icon);
    }

    void handOverTheBannerOnly()
    {
        CLinkStatic link;
        QVERIFY(link.m_hCursor);
        QCOMPARE(link.m_hCursor->hotSpot(), QPoint(res::kHandHotSpotX, res::kHandHotSpotY));
        QCOMPARE(link.m_strURL.Bytes(), "https://quillon.example.org/");

        bool bannerHand = false;
        bool textArrow = false;
        RunAbout([&](QWidget* box) {
            QLabel* banner = Control(box, IDC_BANNER);
            QVERIFY(banner);
            Hover(banner);
            bannerHand = banner->testAttribute(Qt::WA_SetCursor) &&
                         banner->cursor().hotSpot() == QPoint(5, 0) &&
                         banner->cursor().pixmap().size() == QSize(32, 32);
            // Plain texts take no mouse; the box itself shows the ordinary arrow.
            QLabel* text = nullptr;
            for (auto* label : box->findChildren<QLabel*>())
                if (label->text() == QStringLiteral("Quillon Version 1.0"))
                    text = label;
            QVERIFY(text);
            textArrow = text->testAttribute(Qt::WA_TransparentForMouseEvents) &&
                        !text->testAttribute(Qt::WA_SetCursor) && box->cursor().shape() == Qt::ArrowCursor;
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QVERIFY(bannerHand);
        QVERIFY(textArrow);
    }

    void everyClickOpensTheSiteAndTheBoxStays()
    {
        bool openAfterClicks = false;
        int urlsWhileOpen = 0;
        const int result = RunAbout([&](QWidget* box) {
            QLabel* banner = Control(box, IDC_BANNER);
            QVERIFY(banner);
            QTest::mouseClick(banner, Qt::LeftButton, {}, QPoint(20, 8));
            QTest::mouseClick(banner, Qt::LeftButton, {}, QPoint(100, 10));
            urlsWhileOpen = int(m_catcher.opened.size());
            openAfterClicks = box->isVisible() && QApplication::activeModalWidget() == box;
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(result, int(IDCANCEL));
        QCOMPARE(urlsWhileOpen, 2);
        QVERIFY(openAfterClicks);
        QCOMPARE(m_catcher.opened, QList<QUrl>({QUrl(QStringLiteral("https://quillon.example.org/")),
                                                QUrl(QStringLiteral("https://quillon.example.org/"))}));
    }

    void okEnterAndEscapeClose_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("OK") << 0 << int(IDOK);
        QTest::newRow("Enter") << 1 << int(IDOK);
        QTest::newRow("Escape") << 2 << int(IDCANCEL);
    }
    void okEnterAndEscapeClose()
    {
        QFETCH(int, how);
        QFETCH(int, expected);
        const int result = RunAbout([how](QWidget* box) {
            if (how == 0)
                QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
            else
                QTest::keyClick(box, how == 1 ? Qt::Key_Return : Qt::Key_Escape);
        });
        QCOMPARE(result, expected);
        QVERIFY(m_catcher.opened.isEmpty());
    }
};

QTEST_MAIN(AboutDlgTest)
#include "AboutDlgTest.moc"
#include "platform/framework/DialogWindow.h"

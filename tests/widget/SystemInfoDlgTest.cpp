// The system information box against fed system facts: the six fields show what the
// queries found in the system's own words, a value cut by its field is whole in its tooltip,
// every opening asks again, and a failed version query shows no made-up facts.
#include "dialogs/SystemInfoDlg.h"
#include "platform/framework/DialogWindow.h"
#include "platform/system/SystemSource.h"
#include "res/Resource.h"
#include "tests/support/ScopedHook.h"
#include "view/QuillonView.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <functional>
#include <map>
#include <optional>

namespace {

class FakeSource : public platform::SystemSource
{
public:
    std::optional<platform::KernelIdentity> kernel;
    std::string osRelease;
    std::string cpuInfo;
    long processors = 1;
    std::optional<platform::KernelIdentity> Uname() const override { return kernel; }
    std::string OsReleaseText() const override { return osRelease; }
    std::string CpuInfoText() const override { return cpuInfo; }
    long OnlineProcessorCount() const override { return processors; }
    long PageSize() const override { return 4096; }
};

using Fields = std::map<int, QString>;

struct Shown
{
    Fields fields;
    Fields toolTips;
    QString caption;
};

// Opens the box with `open`, reads the six fields once it is up, then presses OK.
Shown ShowAndRead(const std::function<void()>& open)
{
    Shown shown;
    QTimer::singleShot(0, [&shown] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        shown.caption = box->windowTitle();
        for (auto* label : box->findChildren<QLabel*>()) {
            const int id = platform::ControlIdOf(label);
            if (id >= 1060 && id <= 1065) {
                shown.fields[id] = label->text();
                shown.toolTips[id] = label->toolTip();
            }
        }
        QTest::keyClick(box, Qt::Key_Return);
    });
    open();
    return shown;
}

} // namespace

class SystemInfoDlgTest : public QObject
{
    Q_OBJECT

private:
    std::optional<testsupport::InstalledFake<FakeSource, &platform::SetSystemSourceForTesting>> m_source;
    FakeSource* m_fake = nullptr;

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }
    void init() { m_fake = &m_source.emplace().fake; }
    void cleanup()
    {
        m_source.reset();
        m_fake = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QDialog*>(window) && window->isVisible()));
    }

    void showsTheFedFactsEachOpeningAfresh()
    {
        CSystemInfoDlg dlg;
        QCOMPARE(dlg.m_versionInfo.dwOSVersionInfoSize, 156u);
        m_fake->kernel = platform::KernelIdentity{
            "Linux", "6.1.0-18-amd64", "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)", "x86_64"};
        m_fake->osRelease = "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n";
        m_fake->cpuInfo =
            "processor : 0\ncpu family : 6\nmodel name : Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n";
        m_fake->processors = 8;
        Shown first = ShowAndRead([&dlg] { QCOMPARE(dlg.DoModal(), int(IDOK)); });
        QCOMPARE(first.caption, QStringLiteral("Dialog"));
        const Fields expected{{1060, QStringLiteral("Debian GNU/Linux 12 (bookworm)")},
                              {1061, QStringLiteral("6.1.0-18-amd64")},
                              {1062, QStringLiteral("Debian 6.1.76-1 (2024-02-01)")},
                              {1063, QStringLiteral("8")},
                              {1064, QStringLiteral("x86-64")},
                              {1065, QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz")}};
        QCOMPARE(first.fields, expected);
        // The long values are cut by their fields and whole in their tooltips; the short ones
        // fit and have none.
        for (const int id : {1060, 1062, 1065})
            QCOMPARE(first.toolTips.at(id), expected.at(id));
        for (const int id : {1063, 1064})
            QCOMPARE(first.toolTips.at(id), QString());

        // An ARM board with a short name, on the second opening: nothing is cut any more.
        m_fake->kernel = platform::KernelIdentity{"Linux", "6.6.1", "#2", "aarch64"};
        m_fake->osRelease = "PRETTY_NAME=\"Arch Linux\"\n";
        m_fake->cpuInfo = "processor : 0\nCPU implementer : 0x41\nCPU part : 0xd03\n";
        m_fake->processors = 4;
        Shown second = ShowAndRead([&dlg] { QCOMPARE(dlg.DoModal(), int(IDOK)); });
        const Fields expected2{
            {1060, QStringLiteral("Arch Linux")}, {1061, QStringLiteral("6.6.1")},
            {1062, QStringLiteral("#2")},         {1063, QStringLiteral("4")},
            {1064, QStringLiteral("AArch64")},    {1065, QStringLiteral("Arm Cortex-A53")}};
        QCOMPARE(second.fields, expected2);
        for (int id = 1060; id <= 1065; ++id)
            QCOMPARE(second.toolTips.at(id), QString());
        QCOMPARE(dlg.m_processorCountText.Bytes(), "4");
    }

    // The mouse resting on a cut value brings up its tooltip with the whole of it.
    void hoveringACutValueShowsItWhole()
    {
        const QString name = QStringLiteral("A Distribution With A Rather Long Name 2026.12 (Long Term)");
        m_fake->kernel = platform::KernelIdentity{"Linux", "6.6.1", "#1", "x86_64"};
        m_fake->osRelease = "PRETTY_NAME=\"" + name.toStdString() + "\"\n";
        CSystemInfoDlg dlg;
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QWidget* box = QApplication::activeModalWidget();
            QLabel* os = nullptr;
            for (auto* label : box->findChildren<QLabel*>())
                if (platform::ControlIdOf(label) == 1060)
                    os = label;
            QVERIFY(os);
            QTest::mouseMove(os, QPoint(5, 5));
            QTest::mouseMove(os, QPoint(6, 5));
            QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 5000);
            shown = QToolTip::text();
            QToolTip::hideText();
            QTest::keyClick(box, Qt::Key_Return);
        });
        // A failed check above leaves the box open: never hang the suite on it.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &guard, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        guard.start(15000);
        QCOMPARE(dlg.DoModal(), int(IDOK));
        QCOMPARE(shown, name);
    }

    void failedVersionQueryShowsNoVersionFacts()
    {
        CSystemInfoDlg dlg;
        m_fake->kernel = platform::KernelIdentity{"Linux", "6.1.7", "#9", "i686"};
        m_fake->cpuInfo = "cpu family : 5\nmodel name : Pentium MMX\n";
        ShowAndRead([&dlg] { dlg.DoModal(); });
        QCOMPARE(dlg.m_buildText.Bytes(), "6.1.7");

        m_fake->kernel.reset(); // uname fails: the version record can't be filled
        m_fake->osRelease.clear();
        m_fake->processors = 2;
        Shown shown = ShowAndRead([&dlg] { dlg.DoModal(); });
        QCOMPARE(shown.fields.at(1060), QString());
        QCOMPARE(shown.fields.at(1061), QString()); // not the earlier "6.1.7", nor a "0"
        QCOMPARE(shown.fields.at(1062), QString());
        QCOMPARE(shown.fields.at(1063), QStringLiteral("2"));
        // The processor is still named, and no Windows table speaks for it.
        QCOMPARE(shown.fields.at(1064), QString());
        QCOMPARE(shown.fields.at(1065), QStringLiteral("Pentium MMX"));
    }

    void viewCommandOpensItsOwnBox()
    {
        m_fake->kernel = platform::KernelIdentity{"Linux", "6.1.3", "#1", "i686"};
        m_fake->cpuInfo = "cpu family : 4\nmodel name : 486DX2\n";
        CQuillonView view;
        Shown shown = ShowAndRead([&view] { QVERIFY(view.OnCmdMsg(ID_CLOCK_SYSTEMINFO)); });
        QCOMPARE(shown.fields.at(1064), QStringLiteral("x86"));
        QCOMPARE(shown.fields.at(1065), QStringLiteral("486DX2"));
        QCOMPARE(view.m_systemInfoDlg.m_processorLevelText.Bytes(), "486DX2");
    }
};

QTEST_MAIN(SystemInfoDlgTest)
#include "SystemInfoDlgTest.moc"

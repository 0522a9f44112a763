// The system information box against fed system facts: the six fields show what the
// queries found, every opening asks again, and a failed version query shows no made-up facts.
#include "dialogs/SystemInfoDlg.h"
#include "platform/system/SystemSource.h"
#include "res/Resource.h"
#include "view/QuillonView.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>

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
    QString osToolTip;
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
            const int id = label->property("quillonId").toInt();
            if (id >= 1060 && id <= 1065)
                shown.fields[id] = label->text();
            if (id == 1060)
                shown.osToolTip = label->toolTip();
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
    FakeSource* m_fake = nullptr;

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }
    void init()
    {
        auto source = std::make_unique<FakeSource>();
        m_fake = source.get();
        platform::SetSystemSourceForTesting(std::move(source));
    }
    void cleanup()
    {
        platform::SetSystemSourceForTesting(nullptr);
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QDialog*>(window) && window->isVisible()));
    }

    void showsTheFedFactsEachOpeningAfresh()
    {
        CSystemInfoDlg dlg;
        QCOMPARE(dlg.m_versionInfo.dwOSVersionInfoSize, 156u);
        m_fake->kernel = platform::KernelIdentity{"Linux", "5.0.21-amd64", "#1 SMP Debian 5.0.21", "i686"};
        m_fake->osRelease = "PRETTY_NAME=\"Debian GNU/Linux 10 (buster)\"\n";
        m_fake->cpuInfo = "processor : 0\ncpu family : 6\nmodel : 8\n";
        m_fake->processors = 4;
        Shown first = ShowAndRead([&dlg] { QCOMPARE(dlg.DoModal(), int(IDOK)); });
        QCOMPARE(first.caption, QStringLiteral("Dialog"));
        const Fields expected{{1060, QStringLiteral("Debian GNU/Linux 10 (buster)")},
                              {1061, QStringLiteral("21")},
                              {1062, QStringLiteral("#1 SMP Debian 5.0.21")},
                              {1063, QStringLiteral("4")},
                              {1064, QStringLiteral("Intel")},
                              {1065, QStringLiteral("Pentium Pro or Pentium II")}};
        QCOMPARE(first.fields, expected);
        // The narrow name field carries the whole name where the text is cut.
        QCOMPARE(first.osToolTip, expected.at(1060));

        // A 64-bit machine with a level the table doesn't know, on the second opening.
        m_fake->kernel = platform::KernelIdentity{"Linux", "6.1.112", "#2", "x86_64"};
        m_fake->osRelease = "PRETTY_NAME=\"A Distribution With A Rather Long Name 2026.12 (Long Term)\"\n";
        m_fake->cpuInfo = "cpu family : 15\n";
        m_fake->processors = 16;
        Shown second = ShowAndRead([&dlg] { QCOMPARE(dlg.DoModal(), int(IDOK)); });
        const Fields expected2{
            {1060, QStringLiteral("A Distribution With A Rather Long Name 2026.12 (Long Term)")},
            {1061, QStringLiteral("112")},
            {1062, QStringLiteral("#2")},
            {1063, QStringLiteral("16")},
            {1064, QString()},
            {1065, QString()}};
        QCOMPARE(second.fields, expected2);
        QCOMPARE(second.osToolTip, expected2.at(1060));
        QCOMPARE(dlg.m_processorCountText.Bytes(), "16");
    }

    void failedVersionQueryShowsNoVersionFacts()
    {
        CSystemInfoDlg dlg;
        m_fake->kernel = platform::KernelIdentity{"Linux", "6.1.7", "#9", "i686"};
        m_fake->cpuInfo = "cpu family : 5\n";
        ShowAndRead([&dlg] { dlg.DoModal(); });
        QCOMPARE(dlg.m_buildText.Bytes(), "7");

        m_fake->kernel.reset(); // uname fails: the version record can't be filled
        m_fake->osRelease.clear();
        m_fake->processors = 2;
        Shown shown = ShowAndRead([&dlg] { dlg.DoModal(); });
        QCOMPARE(shown.fields.at(1060), QString());
        QCOMPARE(shown.fields.at(1061), QString()); // not the earlier "7", nor a "0"
        QCOMPARE(shown.fields.at(1062), QString());
        QCOMPARE(shown.fields.at(1063), QStringLiteral("2"));
    }

    void viewCommandOpensItsOwnBox()
    {
        m_fake->kernel = platform::KernelIdentity{"Linux", "6.1.3", "#1", "i686"};
        m_fake->cpuInfo = "cpu family : 4\n";
        CQuillonView view;
        Shown shown = ShowAndRead([&view] { QVERIFY(view.OnCmdMsg(ID_CLOCK_SYSTEMINFO)); });
        QCOMPARE(shown.fields.at(1065), QStringLiteral("80486"));
        QCOMPARE(view.m_systemInfoDlg.m_processorLevelText.Bytes(), "80486");
    }
};

QTEST_MAIN(SystemInfoDlgTest)
#include "SystemInfoDlgTest.moc"

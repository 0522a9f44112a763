// The document's start-up and exit against real files in a scratch folder: the book is
// created private, written at exit, set aside when damaged, and guarded against a second copy.
#include "app/QuillonApp.h"
#include "data/QuillonDoc.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "platform/framework/MessageBox.h"
#include "res/Resource.h"
#include "tests/support/Contacts.h"
#include "tests/support/ScopedHook.h"
#include "tests/unit/WithoutRootOverride.h"
#include "view/QuillonView.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

const QByteArray kAnnLee = QByteArray::fromHex("01000000"
                                               "00000000"
                                               "0000000040 99DC40"
                                               "00"
                                               "03416E6E"
                                               "034C6565"
                                               "03313233"
                                               "00");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteBook(const QByteArray& bytes)
{
    QFile file(QStringLiteral("date.info"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

unsigned Mode(const char* path)
{
    struct stat st
    {
    };
    return ::stat(path, &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

class DocumentTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_oldCwd;
    QStringList m_messages;
    int m_retryAnswer = IDCANCEL;
    testsupport::ScopedMessageBoxHandler m_boxes{[this](const CString& text, UINT type) {
        m_messages << text.ToQString();
        return (type & 0xF) == MB_RETRYCANCEL ? m_retryAnswer : int(IDOK);
    }};

    CQuillonDoc* StartApp(CQuillonApp& app)
    {
        if (!app.InitInstance())
            return nullptr;
        return static_cast<CQuillonDoc*>(app.DocTemplate()->GetDocument());
    }

    void Exit(CQuillonApp& app)
    {
        app.OnAppExit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }
    void init()
    {
        QVERIFY(m_dir.isValid());
        const QString folder =
            m_dir.path() + QLatin1Char('/') + QString::fromUtf8(QTest::currentTestFunction());
        QVERIFY(QDir().mkpath(folder));
        m_oldCwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder));
        m_messages.clear();
        m_retryAnswer = IDCANCEL;
    }
    void cleanup()
    {
        QDir::setCurrent(m_oldCwd);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(), QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return w->isVisible(); }));
    }

    void firstStartCreatesPrivateEmptyBookAndExitWritesIt()
    {
        CQuillonApp app;
        CQuillonDoc* doc = StartApp(app);
        QVERIFY(doc);
        QVERIFY(QFile::exists(QStringLiteral("date.info")));
        QCOMPARE(ReadAll(QStringLiteral("date.info")), QByteArray());
        struct stat st
        {
        };
        QCOMPARE(::stat("date.info", &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
        QCOMPARE(app.m_pMainWnd->windowTitle(), QStringLiteral("Quillon - Untitled"));
        QCOMPARE(doc->GetContacts()->GetCount(), 0);

        CContact ann = testsupport::MakeContact("Ann", "Lee", 1980, 3, 5);
        ann.m_strTel = "123";
        doc->GetContacts()->Add(ann);
        Exit(app);
        QCOMPARE(ReadAll(QStringLiteral("date.info")), kAnnLee);
        QVERIFY(m_messages.isEmpty());
    }

    void bookComesBackInFileOrder()
    {
        WriteBook(kAnnLee);
        CQuillonApp app;
        CQuillonDoc* doc = StartApp(app);
        QVERIFY(doc);
        QCOMPARE(doc->GetContacts()->GetCount(), 1);
        QCOMPARE(doc->GetContacts()->GetAt(0).m_strFirstName, CString("Ann"));
        Exit(app);
        QCOMPARE(ReadAll(QStringLiteral("date.info")), kAnnLee);
    }

    void damagedBookIsSetAsideAndNeverOverwritten()
    {
        QByteArray damaged = kAnnLee;
        damaged[0] = 2; // two contacts announced, one present
        WriteBook(damaged);
        CQuillonApp app;
        CQuillonDoc* doc = StartApp(app);
        QVERIFY(doc);
        QCOMPARE(doc->GetContacts()->GetCount(), 1); // the contact before the cut is kept
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(
            m_messages[0].contains(QStringLiteral("It announces 2 contacts, more than it has room for. The 1 "
                                                  "contact before the damage was loaded.")),
            qPrintable(m_messages[0]));
        const QStringList aside = QDir().entryList({QStringLiteral("date.info.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QVERIFY(m_messages[0].contains(aside[0]));
        QCOMPARE(ReadAll(aside[0]), damaged);
        Exit(app);
        QCOMPARE(ReadAll(aside[0]), damaged);
        QCOMPARE(ReadAll(QStringLiteral("date.info")), kAnnLee);
    }

    void secondCopyInTheSameFolderIsRefused()
    {
        CQuillonApp first;
        QVERIFY(StartApp(first));
        {
            CQuillonApp second;
            QVERIFY(!second.InitInstance());
            QCOMPARE(m_messages.size(), 1);
            QVERIFY(m_messages[0].contains(QStringLiteral("in use")));
        }
        QCOMPARE(ReadAll(QStringLiteral("date.info")), QByteArray());
        Exit(first);
        QCOMPARE(ReadAll(QStringLiteral("date.info")), QByteArray::fromHex("00000000"));
    }

    void failedSaveKeepsTheProgramAndTheOldBook()
    {
        WriteBook(kAnnLee);
        CQuillonApp app;
        CQuillonDoc* doc = StartApp(app);
        QVERIFY(doc);
        doc->GetContacts()->RemoveAll();
        bool failing = true;
        doc->m_book.SetFaultHookForTesting([&](ContactBookFile::SaveStep step) {
            return failing && step == ContactBookFile::SaveStep::write ? ENOSPC : 0;
        });
        QPointer<CFrameWnd> frame = app.m_pMainWnd;
        app.OnAppExit(); // the user cancels the retry
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(frame && frame->isVisible());
        QCOMPARE(ReadAll(QStringLiteral("date.info")), kAnnLee);
        QCOMPARE(doc->GetContacts()->GetCount(), 0);

        m_retryAnswer = IDRETRY; // the second try succeeds
        doc->m_book.SetFaultHookForTesting([&](ContactBookFile::SaveStep step) {
            if (step != ContactBookFile::SaveStep::write)
                return 0;
            const bool fail = failing;
            failing = false;
            return fail ? ENOSPC : 0;
        });
        Exit(app);
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(ReadAll(QStringLiteral("date.info")), QByteArray::fromHex("00000000"));
    }
    void readOnlyBookIsToldAtStartAndLeftAtExit()
    {
        WriteBook(kAnnLee);
        QCOMPARE(::chmod("date.info", 0400), 0);
        CQuillonApp app;
        CQuillonDoc* doc = StartApp(app);
        QVERIFY(doc); // the clock runs all the same
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(
            m_messages[0].contains(QStringLiteral("\"date.info\" is read-only, so the changes you make will "
                                                  "not be saved")),
            qPrintable(m_messages[0]));
        QCOMPARE(doc->GetContacts()->GetCount(), 1);
        doc->GetContacts()->RemoveAll();

        QPointer<CFrameWnd> frame = app.m_pMainWnd;
        app.OnAppExit(); // told as a failed save is; the user cancels
        QCOMPARE(m_messages.size(), 2);
        QVERIFY2(m_messages[1].contains(QStringLiteral("could not be saved: the file is read-only")),
                 qPrintable(m_messages[1]));
        QVERIFY(frame && frame->isVisible());
        QCOMPARE(ReadAll(QStringLiteral("date.info")), kAnnLee);
        QCOMPARE(Mode("date.info"), 0400u);

        QCOMPARE(::chmod("date.info", 0600), 0); // given its write bit back, the book is saved
        Exit(app);
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(ReadAll(QStringLiteral("date.info")), QByteArray::fromHex("00000000"));
    }

    void unwritableFolderIsToldAtStartOnce()
    {
        WriteBook(kAnnLee);
        const QByteArray folder = QDir::currentPath().toLocal8Bit();
        QCOMPARE(::chmod(folder.constData(), 0500), 0);
        const auto writable = qScopeGuard([&] { ::chmod(folder.constData(), 0700); });
        CQuillonApp app;
        CQuillonDoc* doc = nullptr;
        {
            WithoutRootOverride asUser;
            QVERIFY(asUser.Active());
            doc = StartApp(app);
            QVERIFY(doc);
            QVERIFY(app.m_pMainWnd && app.m_pMainWnd->isVisible());
            QCOMPARE(m_messages.size(), 1);
            QVERIFY2(m_messages[0].contains(
                         QStringLiteral("The folder \"%1\" cannot be written (Permission denied), "
                                        "so the changes you make to the contact book "
                                        "\"date.info\" will not be saved.")
                             .arg(QDir::currentPath())),
                     qPrintable(m_messages[0]));
            QCOMPARE(doc->GetContacts()->GetCount(), 1);

            QPointer<CFrameWnd> frame = app.m_pMainWnd;
            app.OnAppExit(); // at exit, as before: the failed save and Retry or Cancel
            QCOMPARE(m_messages.size(), 2);
            QVERIFY2(m_messages[1].contains(QStringLiteral("creating a temporary file: Permission denied")),
                     qPrintable(m_messages[1]));
            QVERIFY(frame && frame->isVisible());
        }
        QCOMPARE(::chmod(folder.constData(), 0700), 0);
        Exit(app);
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(ReadAll(QStringLiteral("date.info")), kAnnLee);
    }

    void plantedLockLinkIsNotFollowed()
    {
        QVERIFY(QFile::link(QStringLiteral("../planted-target"), QStringLiteral("date.info.lock")));
        CQuillonApp app;
        QVERIFY(StartApp(app));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].contains(QStringLiteral("\"date.info.lock\" is a symbolic link, which is not "
                                                       "followed")),
                 qPrintable(m_messages[0]));
        QVERIFY(!QFile::exists(QStringLiteral("../planted-target")));
        Exit(app);
        QCOMPARE(ReadAll(QStringLiteral("date.info")), QByteArray::fromHex("00000000"));
        QVERIFY(!QFile::exists(QStringLiteral("../planted-target")));
    }

    void temporariesOfAKilledSaveGoAtTheNextExit()
    {
        WriteBook(kAnnLee);
        QFile stale(QStringLiteral(".date.info.tmp-k1lLed"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(kAnnLee.left(9)); // a partial copy
        stale.close();
        CQuillonApp app;
        QVERIFY(StartApp(app));
        QVERIFY(stale.exists()); // still there while the program runs
        Exit(app);
        QVERIFY(!stale.exists());
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden),
                 QStringList({QStringLiteral("date.info"), QStringLiteral("date.info.lock")}));
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(DocumentTest)
#include "DocumentTest.moc"

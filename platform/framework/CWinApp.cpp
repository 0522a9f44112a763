#include "platform/framework/CWinApp.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "platform/framework/CView.h"
#include "platform/framework/DialogOnScreen.h"
#include "platform/framework/GuiStartup.h"
#include "platform/framework/Resources.h"
#include "platform/framework/TerminationWatcher.h"

#include <QApplication>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSessionManager>

#include <optional>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName)
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Run()
{
    return QApplication::exec();
}

bool CWinApp::OnCmdMsg(UINT id)
{
    switch (id) {
    case ID_APP_EXIT:
        OnAppExit();
        return true;
    default:
        return false;
    }
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* docTemplate)
{
    m_docTemplate.reset(docTemplate);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const
{
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1Char('-')))
            continue;
        info.m_nShellCommand = CCommandLineInfo::FileOpen;
        info.m_strFileName = CString::FromQString(args[i]);
        return;
    }
}

bool CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    if (!m_docTemplate)
        return false;
    const CString* path = info.m_nShellCommand == CCommandLineInfo::FileOpen ? &info.m_strFileName : nullptr;
    CDocument* doc = m_docTemplate->OpenDocumentFile(path, false);
    if (!doc)
        return false;
    POSITION pos = doc->GetFirstViewPosition();
    if (CView* view = doc->GetNextView(pos))
        m_pMainWnd = view->GetParentFrame();
    return true;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->close();
}

void CWinApp::CloseAllDocuments()
{
    if (m_docTemplate)
        if (CDocument* doc = m_docTemplate->GetDocument())
            doc->OnCloseDocument();
}

bool CWinApp::SaveAllModified()
{
    if (m_docTemplate)
        if (CDocument* doc = m_docTemplate->GetDocument())
            return doc->SaveModified();
    return true;
}

void CWinApp::PostQuitMessage(int exitCode)
{
    QCoreApplication::exit(exitCode);
}

int AfxWinMain(int argc, char** argv)
{
    platform::GuiStartup startup;
    std::optional<QApplication> application;
    {
        const platform::GuiStartup::DisplayGuard guard;
        application.emplace(argc, argv);
    }
    startup.Restore();
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (app->m_pszAppName.IsEmpty())
        app->m_pszAppName = AfxLoadString(AFX_IDS_APP_TITLE);
    QApplication::setApplicationName(app->m_pszAppName.ToQString());
    QApplication::setQuitOnLastWindowClosed(false); // the frame's close path ends the loop
    // Asked to terminate, or the session ends: leave through the ordinary close path, which
    // writes the document before the frame goes. Watched from before the book is read and the
    // window shows, so that no moment of the start-up dies by the signal's default action.
    TerminationWatcher watcher([app] { app->OnAppExit(); });
    const platform::DialogOnScreen dialogsOnScreen;
    if (!app->InitInstance()) {
        app->ExitInstance();
        return 1;
    }
    // The session's save points (a checkpoint, or a logout that may yet be called off) save
    // and keep the program; only the end of the session ends it, through the close path.
    QObject::connect(&*application, &QGuiApplication::commitDataRequest, &*application,
                     [app](QSessionManager& manager) {
                         if (!app->SaveAllModified())
                             manager.cancel();
                     });
    // The book belongs to the folder the program was started from, which a session
    // manager's restart would not know.
    QObject::connect(&*application, &QGuiApplication::saveStateRequest, &*application,
                     [](QSessionManager& manager) { manager.setRestartHint(QSessionManager::RestartNever); });
    watcher.Start();
    const int code = app->Run();
    app->CloseAllDocuments(); // the loop may also end by other means
    const int exitCode = app->ExitInstance();
    return code != 0 ? code : exitCode;
}

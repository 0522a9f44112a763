#include "app/QuillonApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrm.h"
#include "data/QuillonDoc.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "res/Resource.h"
#include "view/QuillonView.h"

bool CQuillonApp::InitInstance()
{
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, [] { return new CQuillonDoc; }, [] { return new CMainFrame; },
        [] { return new CQuillonView; }));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return false;
    m_pMainWnd->show();
    m_pMainWnd->repaint();
    return true;
}

bool CQuillonApp::OnCmdMsg(UINT id)
{
    switch (id) {
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_FILE_SAVE:
        return true; // the book is written when the document closes
    default:
        return CWinApp::OnCmdMsg(id);
    }
}

void CQuillonApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

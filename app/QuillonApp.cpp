#include "app/QuillonApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrm.h"
#include "app/VCardDrop.h"
#include "data/QuillonDoc.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "res/Resource.h"
#include "view/QuillonView.h"

#include <string>
#include <vector>

bool CQuillonApp::InitInstance()
{
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, [] { return new CQuillonDoc; }, [] { return new CMainFrame; },
        [] { return new CQuillonView; }));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return false;
    // vCards dropped on the clock or on the Notebook go into the one contact list.
    if (auto* view = m_pMainWnd->findChild<CQuillonView*>()) {
        CContactList& contacts = view->m_notebookDlg.m_contacts;
        const auto import = [&contacts](const std::vector<std::string>& paths) {
            ImportDroppedVCards(paths, contacts);
        };
        view->m_notebookDlg.m_importDropped = import;
        (new VCardDropTarget(import, m_pMainWnd))->Watch(m_pMainWnd);
    }
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
    default:
        return CWinApp::OnCmdMsg(id);
    }
}

void CQuillonApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

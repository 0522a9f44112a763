#pragma once

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CString.h"

#include <memory>

class CFrameWnd;
class CSingleDocTemplate;

// What the command line asks of the start-up: a new document, or a file to open.
struct CCommandLineInfo
{
    enum ShellCommand
    {
        FileNew,
        FileOpen,
    };
    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
};

// The application: one per process, built as a global before start-up.
class CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }
    virtual int Run();

    bool OnCmdMsg(UINT id) override;

    void AddDocTemplate(CSingleDocTemplate* docTemplate);
    CSingleDocTemplate* DocTemplate() const { return m_docTemplate.get(); }
    // Takes the positional arguments of the process (options are handled before start-up).
    void ParseCommandLine(CCommandLineInfo& info) const;
    bool ProcessShellCommand(CCommandLineInfo& info);

    void OnAppExit();
    // Closes the open document, which writes it; nothing happens when none is open.
    void CloseAllDocuments();
    // Lets the open document keep itself on disk; false when it asks to stay as it is.
    bool SaveAllModified();
    void PostQuitMessage(int exitCode = 0);

    CString m_pszAppName;
    CFrameWnd* m_pMainWnd = nullptr;

private:
    std::unique_ptr<CSingleDocTemplate> m_docTemplate;
};

CWinApp* AfxGetApp();

// The framework's entry: builds the GUI application, runs InitInstance, the message loop and
// ExitInstance. Returns the process exit code.
int AfxWinMain(int argc, char** argv);

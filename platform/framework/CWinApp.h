#pragma once

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CString.h"

#include <memory>
#include <vector>

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
    virtual int ExitInstance();
    virtual int Run();

    bool OnCmdMsg(UINT id) override;

    void SetRegistryKey(const char* key);
    void LoadStdProfileSettings(int maxRecentFiles);
    void AddToRecentFileList(const CString& pathName);

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

    // Profile settings under the registry key and the application's name.
    CString GetProfileString(const char* section, const char* entry, const char* defaultValue = "") const;
    void WriteProfileString(const char* section, const char* entry, const CString& value);

    CString m_pszAppName;
    CString m_pszRegistryKey;
    CFrameWnd* m_pMainWnd = nullptr;

private:
    std::unique_ptr<CSingleDocTemplate> m_docTemplate;
    std::vector<CString> m_recentFiles;
    int m_maxRecentFiles = 0;
};

CWinApp* AfxGetApp();

// The framework's entry: builds the GUI application, runs InitInstance, the message loop and
// ExitInstance. Returns the process exit code.
int AfxWinMain(int argc, char** argv);

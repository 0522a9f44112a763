#pragma once

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CString.h"

#include <QMainWindow>

#include <functional>

class CDocument;
class CView;
class QMenu;
class QToolBar;

struct CREATESTRUCT
{
    UINT style = 0;
    CString name;
};

// What the document template hands the frame so that it can make its view.
struct CCreateContext
{
    std::function<CView*()> newView;
    CDocument* currentDoc = nullptr;
};

enum ToolBarStyle : UINT
{
    TBSTYLE_FLAT = 0x0800,
    CBRS_ALIGN_ANY = 0xF000,
    CBRS_TOP = 0x2000,
    CBRS_GRIPPER = 0x00400000,
    CBRS_TOOLTIPS = 0x0010,
    CBRS_FLYBY = 0x0020,
    CBRS_SIZE_DYNAMIC = 0x0080,
    AFX_IDW_TOOLBAR = 59392,
};

enum SetWindowPosFlag : UINT
{
    SWP_SHOWWINDOW = 0x0040,
};

// A toolbar without buttons of its own: a strip that docks at any edge or floats.
class CToolBar
{
public:
    bool CreateEx(class CFrameWnd* parent, UINT controlStyle, UINT style, UINT id = AFX_IDW_TOOLBAR);
    void EnableDocking(UINT alignment);
    QToolBar* Get() const { return m_toolBar; }

private:
    QToolBar* m_toolBar = nullptr;
};

// The main frame: menu, control bars and one view in the client area.
class CFrameWnd : public QMainWindow, public CCmdTarget
{
    Q_OBJECT

public:
    CFrameWnd();

    virtual bool PreCreateWindow(CREATESTRUCT& cs);
    // Creates the view from the context; -1 stops the frame from being made.
    virtual int OnCreate();
    bool LoadFrame(UINT resourceId, const CCreateContext& context);

    bool OnCmdMsg(UINT id) override;
    // A command from the menu or elsewhere: the view, the document, then the application.
    void SendCommand(UINT id);

    CDocument* GetActiveDocument() const;
    void InitialUpdateFrame(CDocument* doc, bool makeVisible);
    void OnUpdateFrameTitle();

    void EnableDocking(UINT alignment);
    void DockControlBar(CToolBar* bar);
    // Outer geometry, window frame included, as screen pixels; wndTopMost keeps it above others.
    void SetWindowPos(bool topMost, int x, int y, int cx, int cy, UINT flags);
    void DestroyWindow();

    // The frame has the menu of its resource and nothing else: no toolbar-toggle popup.
    QMenu* createPopupMenu() override { return nullptr; }

protected:
    virtual void OnClose();
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildMenu(UINT resourceId);
    void ApplyFrameGeometry();

    CView* m_activeView = nullptr;
    CCreateContext m_context;
    UINT m_style = 0;
    QRect m_requested;
    QSize m_client; // the client the requested rectangle gives under the present frame
    QObject* m_frameWatcher = nullptr;
    bool m_geometryPending = false;
    bool m_destroying = false;
    bool m_creating = false;
    bool m_showWhenCreated = false;
};

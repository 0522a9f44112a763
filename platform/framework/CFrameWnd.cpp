#include "platform/framework/CFrameWnd.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Resources.h"
#include "platform/framework/X11Placement.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

bool CToolBar::CreateEx(CFrameWnd* parent, UINT controlStyle, UINT style, UINT id)
{
    // Created once; the frame owns the bar, so a second call must not add another one.
    if (m_toolBar)
        return false;
    m_toolBar = new QToolBar(parent);
    m_toolBar->setObjectName(QStringLiteral("toolbar%1").arg(id));
    m_toolBar->setMovable((style & CBRS_GRIPPER) != 0);
    m_toolBar->setFloatable((style & CBRS_SIZE_DYNAMIC) != 0);
    if (controlStyle & TBSTYLE_FLAT)
        m_toolBar->setStyleSheet(QStringLiteral("QToolBar { border: none; }"));
    parent->addToolBar(Qt::TopToolBarArea, m_toolBar);
    return true;
}

void CToolBar::EnableDocking(UINT alignment)
{
    m_toolBar->setAllowedAreas((alignment & CBRS_ALIGN_ANY) == CBRS_ALIGN_ANY ? Qt::AllToolBarAreas
                                                                              : Qt::TopToolBarArea);
}

CFrameWnd::CFrameWnd()
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    return true;
}

int CFrameWnd::OnCreate()
{
    if (!m_context.newView)
        return 0;
    CView* view = m_context.newView();
    if (!view)
        return -1;
    if (m_context.currentDoc)
        m_context.currentDoc->AddView(view);
    setCentralWidget(view);
    m_activeView = view;
    view->setFocus();
    return 0;
}

bool CFrameWnd::LoadFrame(UINT resourceId, const CCreateContext& context)
{
    m_context = context;
    CREATESTRUCT cs;
    if (!PreCreateWindow(cs))
        return false;
    m_style = cs.style;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint;
    if (m_style & WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (m_style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint;
    if (m_style & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    if (m_style & WS_MAXIMIZEBOX)
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    BuildMenu(resourceId);
    m_creating = true;
    const int created = OnCreate();
    m_creating = false;
    if (created == -1)
        return false;
    OnUpdateFrameTitle();
    return true;
}

void CFrameWnd::BuildMenu(UINT resourceId)
{
    const auto* items = platform::ResourceRegistry::Instance().FindMenu(resourceId);
    if (!items)
        return;
    for (const MenuItem& popup : *items) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.text));
        for (const MenuItem& item : popup.popup) {
            if (!item.text) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            const UINT id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
        }
    }
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_activeView ? m_activeView->GetDocument() : nullptr;
}

bool CFrameWnd::OnCmdMsg(UINT id)
{
    if (m_activeView && m_activeView->OnCmdMsg(id))
        return true;
    if (CDocument* doc = GetActiveDocument(); doc && doc->OnCmdMsg(id))
        return true;
    if (CWinApp* app = AfxGetApp())
        return app->OnCmdMsg(id);
    return false;
}

void CFrameWnd::SendCommand(UINT id)
{
    OnCmdMsg(id);
}

void CFrameWnd::InitialUpdateFrame(CDocument*, bool makeVisible)
{
    if (m_activeView)
        m_activeView->OnInitialUpdate();
    OnUpdateFrameTitle();
    if (makeVisible || m_showWhenCreated)
        show();
    m_showWhenCreated = false;
}

void CFrameWnd::OnUpdateFrameTitle()
{
    CString title = AfxLoadString(AFX_IDS_APP_TITLE);
    if (CDocument* doc = GetActiveDocument(); doc && (m_style & FWS_ADDTOTITLE))
        title += CString(" - ") + doc->GetTitle();
    setWindowTitle(title.ToQString());
}

void CFrameWnd::EnableDocking(UINT alignment)
{
    setDockOptions(QMainWindow::AnimatedDocks | ((alignment & CBRS_ALIGN_ANY) ? QMainWindow::AllowTabbedDocks
                                                                              : QMainWindow::DockOptions{}));
}

void CFrameWnd::DockControlBar(CToolBar* bar)
{
    addToolBar(Qt::TopToolBarArea, bar->Get());
}

void CFrameWnd::SetWindowPos(bool topMost, int x, int y, int cx, int cy, UINT flags)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    m_requested = QRect(x, y, cx, cy);
    m_geometryPending = true;
    ApplyFrameGeometry();
    if (!(flags & SWP_SHOWWINDOW))
        return;
    // A frame still being made waits for its document: one that fails to load never shows.
    if (m_creating)
        m_showWhenCreated = true;
    else
        show();
}

void CFrameWnd::ApplyFrameGeometry()
{
    if (m_requested.isNull())
        return;
    // The outer size includes the window manager's frame, which is only known once the
    // window is mapped and decorated: size the client so that client plus frame fit.
    QMargins margins;
    if (QWindow* handle = windowHandle(); handle && isVisible())
        margins = handle->frameMargins();
    const QSize client(m_requested.width() - margins.left() - margins.right(),
                       m_requested.height() - margins.top() - margins.bottom());
    if (!(m_style & WS_THICKFRAME))
        setFixedSize(client);
    else
        resize(client);
    move(m_requested.topLeft());
    if (margins.isNull())
        return;
    m_geometryPending = false;
    // On a scaled desktop the frame's pixels seldom divide by the scale, and the rectangle
    // above comes out a pixel or two off: place it again in the display's own pixels.
    QWindow* handle = windowHandle();
    const qreal scale = handle->devicePixelRatio();
    if (scale != 1.0 && !(m_style & WS_THICKFRAME))
        platform::PlaceOuterRectangle(
            handle, QRect(qRound(m_requested.x() * scale), qRound(m_requested.y() * scale),
                          qRound(m_requested.width() * scale), qRound(m_requested.height() * scale)));
}

void CFrameWnd::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_geometryPending)
        return;
    // Margins arrive with the window manager's reparenting; look for them a few times.
    for (int delay : {0, 50, 150, 400, 1000, 2000})
        QTimer::singleShot(delay, this, [this] {
            if (m_geometryPending)
                ApplyFrameGeometry();
        });
}

void CFrameWnd::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (m_geometryPending && windowHandle() && !windowHandle()->frameMargins().isNull())
        ApplyFrameGeometry();
}

void CFrameWnd::OnClose()
{
    if (CDocument* doc = GetActiveDocument())
        doc->OnCloseDocument(); // destroys this frame
    else
        DestroyWindow();
}

void CFrameWnd::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (!m_destroying)
        OnClose();
}

void CFrameWnd::DestroyWindow()
{
    if (m_destroying)
        return;
    m_destroying = true;
    hide();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        app->PostQuitMessage();
    }
    deleteLater();
}

#include "platform/framework/CFrameWnd.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/FrameExtentsWatcher.h"
#include "platform/framework/Resources.h"
#include "platform/framework/X11Placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <cstdlib>

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
    // The frame's icon is the program's: every window it opens shows it too.
    QIcon icon;
    for (const char* file : platform::ResourceRegistry::Instance().FindIcon(resourceId))
        icon.addFile(QString::fromUtf8(file));
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
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

namespace {
// The outer rectangle the program asks for was laid out for a frame of a one-pixel border and
// a 20-pixel title: the client that leaves is what the window's contents need. A thicker
// frame makes the window larger rather than the client smaller.
constexpr QMargins kLayoutFrame(1, 20, 1, 1);
} // namespace

void CFrameWnd::ApplyFrameGeometry()
{
    // A maximised or full-screen window is put back first (changeEvent); placed meanwhile, the
    // window manager would take the frameless rectangle for the one to restore.
    if (m_requested.isNull() || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QSize least = m_requested.size().shrunkBy(kLayoutFrame);
    QWindow* handle = windowHandle();
    const bool fixed = !(m_style & WS_THICKFRAME);
    // The frame is known once the window manager has put the window in it: then the client
    // and the frame's corner are set in the display's own pixels. A frame of nothing (taken
    // away for a moment, as on the way back from full screen) is placed by its corner too:
    // Qt's own margins may be stale then, and the window would stay off by the frame.
    if (const auto extents = handle && isVisible() ? platform::FrameExtents(handle) : std::nullopt; extents) {
        m_geometryPending = false;
        const qreal scale = handle->devicePixelRatio();
        const QSize outer = (QSizeF(m_requested.size()) * scale).toSize();
        const QSize client = outer.shrunkBy(*extents).expandedTo((QSizeF(least) * scale).toSize());
        m_client = (QSizeF(client) / scale).toSize();
        if (fixed) {
            setFixedSize(m_client);
            platform::ForbidResizing(handle);
            platform::PlaceFrame(handle, (QPointF(m_requested.topLeft()) * scale).toPoint(), client);
        } else {
            resize(m_client);
            move(m_requested.topLeft());
        }
        return;
    }
    QMargins margins;
    if (handle && isVisible())
        margins = handle->frameMargins();
    m_client = m_requested.size().shrunkBy(margins).expandedTo(least);
    if (fixed)
        setFixedSize(m_client);
    else
        resize(m_client);
    move(m_requested.topLeft());
    if (!margins.isNull())
        m_geometryPending = false;
}

void CFrameWnd::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_frameWatcher) {
        // Each frame the window manager gives it (the first, a new one's, a theme's) places
        // the window again.
        auto* watcher = new platform::FrameExtentsWatcher(windowHandle());
        connect(watcher, &platform::FrameExtentsWatcher::Changed, this, &CFrameWnd::ApplyFrameGeometry);
        m_frameWatcher = watcher;
    }
    if (!(m_style & WS_THICKFRAME))
        platform::ForbidResizing(windowHandle());
    if (m_geometryPending)
        ApplyFrameGeometry();
}

void CFrameWnd::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (m_geometryPending && windowHandle() && !windowHandle()->frameMargins().isNull())
        ApplyFrameGeometry();
}

void CFrameWnd::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // A window manager that resizes a window of fixed size anyway gets it back at once; a
    // pixel of rounding on a scaled desktop is no such resize.
    const QSize delta = size() - m_client;
    if ((m_style & WS_THICKFRAME) || m_client.isEmpty() ||
        (std::abs(delta.width()) <= 1 && std::abs(delta.height()) <= 1))
        return;
    QTimer::singleShot(0, this, &CFrameWnd::ApplyFrameGeometry);
}

void CFrameWnd::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    static constexpr Qt::WindowStates kSized = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() != QEvent::WindowStateChange || (m_style & WS_THICKFRAME) || !(windowState() & kSized))
        return;
    // Not maximised, not full screen: the window keeps its size under every window manager.
    QTimer::singleShot(0, this, [this] {
        setWindowState(windowState() & ~kSized);
        ApplyFrameGeometry();
    });
    // The window manager gives the frame back in steps, while Qt rewrites the window's hints
    // for the new state: place it again once those have settled.
    for (int delay : {250, 1000, 2500})
        QTimer::singleShot(delay, this, &CFrameWnd::ApplyFrameGeometry);
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

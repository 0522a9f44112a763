#include "platform/framework/CView.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/ViewAccessible.h"
#include "platform/framework/WindowTimer.h"

#include <QCoreApplication>

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {
// WM_TIMER: which timer expired. The timer is looked up again on delivery, so a message for a
// timer killed meanwhile is dropped.
class TimerMessage : public QEvent
{
public:
    explicit TimerMessage(UINT timerId) : QEvent(Type()), id(timerId) {}
    static QEvent::Type Type()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    const UINT id;
};
} // namespace

CView::CView()
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    platform::ViewAccessible::Install();
}

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    return qobject_cast<CFrameWnd*>(window());
}

void CView::OnTimer(UINT) {}

void CView::OnKeyDown(UINT, UINT, UINT) {}

bool CView::OnCmdMsg(UINT id)
{
    switch (id) {
    case ID_FILE_PRINT:
        OnFilePrint();
        return true;
    case ID_FILE_PRINT_PREVIEW:
        OnFilePrintPreview();
        return true;
    default:
        return false;
    }
}

bool CView::SetTimer(UINT id, UINT elapseMs)
{
    Timer& entry = m_timers[id];
    if (!entry.timer) {
        entry.timer = std::make_unique<platform::WindowTimer>();
        connect(entry.timer.get(), &platform::WindowTimer::Expired, this,
                [this, id] { PostTimerMessage(id); });
    }
    if (!entry.timer->Start(elapseMs)) {
        m_timers.erase(id);
        return false;
    }
    return true;
}

bool CView::KillTimer(UINT id)
{
    return m_timers.erase(id) != 0;
}

bool CView::IsTimerRunning(UINT id) const
{
    const auto it = m_timers.find(id);
    return it != m_timers.end() && it->second.timer->IsActive();
}

int CView::TimerPeriod(UINT id) const
{
    return IsTimerRunning(id) ? static_cast<int>(m_timers.at(id).timer->Period()) : -1;
}

void CView::PostTimerMessage(UINT id)
{
    Timer& entry = m_timers.at(id);
    // One message at a time per timer: a slow handler is not flooded with the ones it missed.
    if (entry.messagePending)
        return;
    entry.messagePending = true;
    QCoreApplication::postEvent(this, new TimerMessage(id));
}

void CView::DeliverTimerMessage(UINT id)
{
    const auto it = m_timers.find(id);
    if (it == m_timers.end() || !it->second.messagePending)
        return;
    // Cleared before the handler runs: a modal loop inside it receives the next expiry.
    it->second.messagePending = false;
    OnTimer(id);
}

bool CView::event(QEvent* event)
{
    if (event->type() == TimerMessage::Type()) {
        DeliverTimerMessage(static_cast<TimerMessage*>(event)->id);
        return true;
    }
    return QWidget::event(event);
}

void CView::InvalidateRect(const CRect* rect, bool erase)
{
    const QRect area = rect ? rect->ToQRect() : QRect(QPoint(0, 0), size());
    if (m_invalidateObserver)
        m_invalidateObserver(rect ? *rect : CRect{0, 0, width(), height()}, erase);
    update(area);
}

void CView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CDC dc(&painter);
    OnDraw(&dc);
}

void CView::keyPressEvent(QKeyEvent* event)
{
    // Shift+F10 asks for the popup menu as the Menu key does, at the view's centre.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        const QPoint centre = rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre, mapToGlobal(centre));
        QCoreApplication::sendEvent(this, &menu);
        return;
    }
    UINT key = 0;
    if (event->key() == Qt::Key_Escape)
        key = VK_ESCAPE;
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        key = VK_RETURN;
    else if (event->key() >= 0x20 && event->key() <= 0x7E)
        key = static_cast<UINT>(QChar::toUpper(static_cast<char32_t>(event->key())));
    else
        key = event->nativeVirtualKey();
    OnKeyDown(key, event->isAutoRepeat() ? 2 : 1, 0);
}

bool CView::DoPreparePrinting(CPrintInfo* info)
{
    if (info->preview)
        return true;
    QPrintDialog dialog(info->printer, this);
    return dialog.exec() == QDialog::Accepted;
}

void CView::PrintPage(QPagedPaintDevice* device)
{
    QPainter painter(device);
    CDC dc(&painter);
    OnDraw(&dc);
}

void CView::OnFilePrint()
{
    QPrinter printer(QPrinter::ScreenResolution);
    CPrintInfo info{&printer, false};
    if (!OnPreparePrinting(&info))
        return;
    PrintPage(&printer);
}

void CView::OnFilePrintPreview()
{
    QPrinter printer(QPrinter::ScreenResolution);
    CPrintInfo info{&printer, true};
    if (!OnPreparePrinting(&info))
        return;
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintPage(target); });
    preview.exec();
}

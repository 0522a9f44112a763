#include "platform/framework/CView.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimerEvent>

CView::CView()
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void CView::OnTimer(UINT)
{
    Default();
}

void CView::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

bool CView::OnCmdMsg(UINT id)
{
    switch (id) {
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
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
    // A precise timer keeps a one-second tick from drifting across second boundaries.
    entry.timer.start(static_cast<int>(elapseMs), Qt::PreciseTimer, this);
    entry.period = static_cast<int>(elapseMs);
    return true;
}

bool CView::KillTimer(UINT id)
{
    const auto it = m_timers.find(id);
    if (it == m_timers.end())
        return false;
    m_timers.erase(it);
    return true;
}

bool CView::IsTimerRunning(UINT id) const
{
    const auto it = m_timers.find(id);
    return it != m_timers.end() && it->second.timer.isActive();
}

int CView::TimerPeriod(UINT id) const
{
    return IsTimerRunning(id) ? m_timers.at(id).period : -1;
}

void CView::timerEvent(QTimerEvent* event)
{
    for (const auto& [id, entry] : m_timers) {
        if (entry.timer.timerId() == event->timerId()) {
            OnTimer(id); // may kill or re-arm timers, so stop iterating
            return;
        }
    }
    QWidget::timerEvent(event);
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
    OnBeginPrinting(&dc, nullptr);
    OnDraw(&dc);
    OnEndPrinting(&dc, nullptr);
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

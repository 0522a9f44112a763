#include "view/QuillonView.h"

#include "data/QuillonDoc.h"
#include "res/Resource.h"
#include "view/ClockHands.h"

#include <QContextMenuEvent>
#include <QMenu>

CQuillonView::CQuillonView()
{
    setAccessibleName(QStringLiteral("Clock"));
    // The hands are derived from the dial so the two can never disagree.
    const CPoint centre = m_dialRect.CenterPoint();
    const int radius = m_dialRect.Width() / 2;
    m_secondLength = radius;
    m_minuteLength = radius - 2;
    m_hourLength = radius - 12;
    m_secondTip = {centre.x, m_dialRect.top};
    m_minuteTip = {centre.x, m_dialRect.top + 2};
    m_hourTip = {centre.x, m_dialRect.top + 12};
}

CQuillonView::~CQuillonView() = default;

CQuillonDoc* CQuillonView::GetDocument() const
{
    return static_cast<CQuillonDoc*>(CView::GetDocument());
}

void CQuillonView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    SetTimer(ID_TIMER_CLOCK, 1000);
    SetTimer(ID_TIMER_BIRTHDAYS, 5000);
}

void CQuillonView::DrawHand(CDC* dc, CPen* pen, CPoint& tip, int length, int units)
{
    const CPoint centre = m_dialRect.CenterPoint();
    const CPoint tip12 = tip;
    dc->SelectObject(pen);
    tip = HandTip(tip12, length, units);
    dc->MoveTo(centre.x, centre.y);
    dc->LineTo(tip.x, tip.y);
    tip = tip12;
}

void CQuillonView::OnDraw(CDC* dc)
{
    CBrush blackBrush(RGB(0, 0, 0));
    CBrush redBrush(RGB(255, 0, 0));
    CPen secondPen(PS_SOLID, 2, RGB(100, 200, 200));
    CPen minutePen(PS_SOLID, 5, RGB(0, 160, 160));
    CPen hourPen(PS_SOLID, 6, RGB(0, 150, 150));
    CPen hubPen(PS_SOLID, 4, RGB(255, 0, 0));
    const CPoint c = m_dialRect.CenterPoint();

    CBrush* oldBrush = dc->SelectObject(&blackBrush);
    dc->Rectangle(-2, -2, 150, 103);
    dc->SelectObject(&redBrush);
    dc->Ellipse(m_ringRect);
    dc->SelectObject(&blackBrush);
    dc->Ellipse(m_dialRect);

    dc->SetBkColor(RGB(0, 0, 0));
    dc->SetTextColor(RGB(255, 255, 0));
    dc->TextOut(c.x - 7, m_dialRect.top - 10, "12");
    dc->TextOut(c.x - 5, m_dialRect.bottom - 4, "6");
    dc->TextOut(m_dialRect.right - 2, c.y - 9, "3");
    dc->TextOut(m_dialRect.left - 6, c.y - 9, "9");

    CPen* oldPen = dc->SelectObject(&hourPen);
    DrawHand(dc, &hourPen, m_hourTip, m_hourLength, HourHandUnits(m_hour, m_minute));
    DrawHand(dc, &minutePen, m_minuteTip, m_minuteLength, m_minute);
    DrawHand(dc, &secondPen, m_secondTip, m_secondLength, m_second);

    dc->SelectObject(&hubPen);
    dc->Ellipse(c.x - 1, c.y - 1, c.x + 1, c.y + 1);

    dc->SelectObject(&redBrush);
    dc->SelectObject(&secondPen);
    dc->SetBkColor(RGB(0, 0, 0));
    dc->SetTextColor(RGB(255, 255, 0));
    dc->Rectangle(-2, 103, 150, 150);

    CFont timeFont;
    timeFont.CreateFont(15, 10, 0, 0, 800, false, false, false, 0, 0, 0, 0, 0, "Areal");
    m_timeText = GetAccessibleText();
    CFont* oldFont = dc->SelectObject(&timeFont);
    dc->TextOut(m_hour <= 10 ? 20 : 14, 110, m_timeText);

    // The tools die with this paint; hand the device context its own back first.
    dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CQuillonView::OnTimer(UINT id)
{
    m_now = CTime::GetCurrentTime();
    if (id == ID_TIMER_CLOCK)
        OnClockTick();
    else if (id == ID_TIMER_BIRTHDAYS)
        ScanBirthdays();
    CView::OnTimer(id);
}

void CQuillonView::OnClockTick()
{
    std::tm local{};
    if (m_now.GetLocalTm(&local)) {
        m_second = local.tm_sec;
        m_minute = local.tm_min;
        m_hour = local.tm_hour;
    }
    InvalidateRect(&m_dialRect, true);
    InvalidateRect(&m_digitalRect, true);
    CheckScheduledShutdown();
    CheckStopwatch();
}

bool CQuillonView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

bool CQuillonView::OnCmdMsg(UINT id)
{
    switch (id) {
    case ID_CLOCK_SHUTDOWN:
        OnClockShutdown();
        return true;
    case ID_CLOCK_NOTEBOOK:
        OnClockNotebook();
        return true;
    case ID_CLOCK_TIMER:
        OnClockTimer();
        return true;
    case ID_CLOCK_SYSTEMINFO:
        OnClockSystemInfo();
        return true;
    default:
        return CView::OnCmdMsg(id);
    }
}

CString CQuillonView::GetAccessibleText() const
{
    return FormatString("%i:%.2i:%.2i", m_hour, m_minute, m_second);
}

void CQuillonView::contextMenuEvent(QContextMenuEvent* event)
{
    // The commands that the main menu does not carry are reached from the clock face.
    QMenu menu(this);
    const auto add = [&](const char* text, UINT id) {
        connect(menu.addAction(QString::fromUtf8(text)), &QAction::triggered, this,
                [this, id] { OnCmdMsg(id); });
    };
    add("Restart and Shut Down...", ID_CLOCK_SHUTDOWN);
    add("Timer...", ID_CLOCK_TIMER);
    add("System Information...", ID_CLOCK_SYSTEMINFO);
    menu.addSeparator();
    add("Print...", ID_FILE_PRINT);
    add("Print Preview...", ID_FILE_PRINT_PREVIEW);
    menu.exec(event->globalPos());
}

void CQuillonView::OnClockNotebook()
{
    m_notebookDlg.DoModal();
}

void CQuillonView::OnClockSystemInfo()
{
    m_systemInfoDlg.DoModal();
}

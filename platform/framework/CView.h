#pragma once

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CDC.h"
#include "platform/framework/GdiTypes.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>

class CDocument;
class CFrameWnd;
namespace platform {
class WindowTimer;
}
class QPagedPaintDevice;
class QPrinter;

struct CPrintInfo
{
    QPrinter* printer = nullptr;
    bool preview = false;
};

// A view: the client area of a frame, painted through OnDraw, with window timers by id. A timer's
// expiry is posted to the view like a window message, so OnTimer also runs nested inside a modal
// loop that an earlier OnTimer opened; expiries that pile up before delivery count as one.
class CView : public QWidget, public CCmdTarget
{
    Q_OBJECT

public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    virtual void OnInitialUpdate() {}
    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnTimer(UINT id);
    virtual void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    virtual bool OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }
    // The text the view shows, as a screen reader reads it when asked; none by default.
    virtual CString GetAccessibleText() const { return {}; }

    bool OnCmdMsg(UINT id) override;

    // Starts timer id, or gives a running one its new period, counted from now.
    bool SetTimer(UINT id, UINT elapseMs);
    bool KillTimer(UINT id);
    bool IsTimerRunning(UINT id) const;
    int TimerPeriod(UINT id) const; // -1 when not running

    void InvalidateRect(const CRect* rect, bool erase = true);

    void OnFilePrint();
    void OnFilePrintPreview();
    // The print path without dialogs: paints one page on the device, unscaled.
    void PrintPage(QPagedPaintDevice* device);

    // Tests watch the areas a tick invalidates.
    using InvalidateObserver = std::function<void(const CRect& rect, bool erase)>;
    void SetInvalidateObserverForTesting(InvalidateObserver observer)
    {
        m_invalidateObserver = std::move(observer);
    }

    CDocument* m_pDocument = nullptr;

protected:
    bool DoPreparePrinting(CPrintInfo* info);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Timer
    {
        std::unique_ptr<platform::WindowTimer> timer;
        bool messagePending = false;
    };
    void PostTimerMessage(UINT id);
    void DeliverTimerMessage(UINT id);

    std::map<UINT, Timer> m_timers;
    InvalidateObserver m_invalidateObserver;
};

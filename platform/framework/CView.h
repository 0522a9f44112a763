#pragma once

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/CDC.h"
#include "platform/framework/GdiTypes.h"

#include <QBasicTimer>
#include <QWidget>

#include <functional>
#include <map>

class CDocument;
class CFrameWnd;
class QPagedPaintDevice;
class QPrinter;

struct CPrintInfo
{
    QPrinter* printer = nullptr;
    bool preview = false;
};

// A view: the client area of a frame, painted through OnDraw, with window timers by id.
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
    virtual void OnBeginPrinting(CDC*, CPrintInfo*) {}
    virtual void OnEndPrinting(CDC*, CPrintInfo*) {}

    bool OnCmdMsg(UINT id) override;

    // Starts timer id, or gives a running one its new period.
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
    void Default() {}

    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Timer
    {
        QBasicTimer timer;
        int period = 0;
    };
    std::map<UINT, Timer> m_timers;
    InvalidateObserver m_invalidateObserver;
};

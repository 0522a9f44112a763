#pragma once

#include "platform/framework/CFrameWnd.h"

// The main frame: a small fixed window above all others, with the menu and an empty toolbar.
class CMainFrame : public CFrameWnd
{
    Q_OBJECT

public:
    CMainFrame() = default;

    bool PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate() override;

    CToolBar m_wndToolBar;
};

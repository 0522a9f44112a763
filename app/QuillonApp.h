#pragma once

#include "platform/framework/CWinApp.h"

class CQuillonApp : public CWinApp
{
public:
    CQuillonApp() = default;

    bool InitInstance() override;
    bool OnCmdMsg(UINT id) override;

    void OnAppAbout();
};

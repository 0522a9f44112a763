#pragma once

#include "app/LinkStatic.h"
#include "platform/framework/CDialog.h"

// The program's name, version and maker, with a banner that opens the maker's web site.
class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
    ~CAboutDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CLinkStatic m_banner;
};

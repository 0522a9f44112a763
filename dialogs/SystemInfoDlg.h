#pragma once

#include "platform/framework/CDialog.h"
#include "platform/system/SystemRecords.h"

// Shows the operating system's name, build and service pack and the processors' count,
// architecture and level, asked afresh at each opening.
class CSystemInfoDlg : public CDialog
{
public:
    CSystemInfoDlg();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    OSVERSIONINFOEXA m_versionInfo{};
    SYSTEM_INFO m_systemInfo{};
    CString m_buildText;
    CString m_processorCountText;
    CString m_osText;
    CString m_servicePackText;
    CString m_architectureText;
    CString m_processorLevelText;
};

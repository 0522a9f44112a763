#include "dialogs/SystemInfoDlg.h"

#include "platform/framework/CDataExchange.h"
#include "platform/system/SystemInfo.h"
#include "platform/system/SystemInfoText.h"
#include "res/Resource.h"

namespace {
constexpr int kOsTextId = 1060;
}

CSystemInfoDlg::CSystemInfoDlg() : CDialog(IDD_SYSTEMINFO)
{
    m_versionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
}

void CSystemInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1061, m_buildText);
    DDX_Text(pDX, 1063, m_processorCountText);
    DDX_Text(pDX, kOsTextId, m_osText);
    DDX_Text(pDX, 1062, m_servicePackText);
    DDX_Text(pDX, 1064, m_architectureText);
    DDX_Text(pDX, 1065, m_processorLevelText);
}

BOOL CSystemInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A fresh record each time, so a failed query never shows an earlier opening's facts.
    m_versionInfo = OSVERSIONINFOEXA{};
    m_versionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    const BOOL haveVersion = GetVersionExA(&m_versionInfo);
    m_systemInfo = SYSTEM_INFO{};
    GetSystemInfo(&m_systemInfo);

    platform::SystemInfoTexts texts =
        platform::MakeSystemInfoTexts(m_versionInfo, m_systemInfo, GetOperatingSystemName());
    if (!haveVersion) {
        // The record was not filled: nothing true can be said about the system's version.
        texts.os.Empty();
        texts.build.Empty();
        texts.servicePack.Empty();
    }
    m_osText = texts.os;
    m_servicePackText = texts.servicePack;
    m_buildText = texts.build;
    m_processorCountText = texts.processorCount;
    m_architectureText = texts.architecture;
    m_processorLevelText = texts.processorLevel;
    UpdateData(FALSE);

    // The name's field is narrow and a distribution's name is often longer: the whole
    // name is a hover away.
    if (CWnd* osField = GetDlgItem(kOsTextId))
        osField->GetSafeHwnd()->setToolTip(m_osText.ToQString());
    return TRUE;
}

void CSystemInfoDlg::OnOK()
{
    CDialog::OnOK();
}

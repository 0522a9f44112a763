#include "dialogs/SystemInfoDlg.h"

#include "platform/framework/CDataExchange.h"
#include "platform/system/SystemInfo.h"
#include "platform/system/SystemInfoText.h"
#include "res/Resource.h"
#include "res/SystemInfoTemplate.h"

#include <QFontMetrics>
#include <QLabel>

#include <climits>

namespace {

// Whether the label shows its whole text: wrapped at its width, within its height, with no
// word wider than the field.
bool ShowsWhole(const QLabel& label)
{
    const QRect room = label.contentsRect();
    const QRect needed = label.fontMetrics().boundingRect(
        QRect(room.left(), room.top(), room.width(), INT_MAX),
        static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0), label.text());
    return needed.width() <= room.width() && needed.height() <= room.height();
}
} // namespace

CSystemInfoDlg::CSystemInfoDlg() : CDialog(IDD_SYSTEMINFO)
{
    m_versionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
}

void CSystemInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SYSINFO_BUILD, m_buildText);
    DDX_Text(pDX, IDC_SYSINFO_PROCESSORS, m_processorCountText);
    DDX_Text(pDX, IDC_SYSINFO_OS, m_osText);
    DDX_Text(pDX, IDC_SYSINFO_SERVICE_PACK, m_servicePackText);
    DDX_Text(pDX, IDC_SYSINFO_ARCHITECTURE, m_architectureText);
    DDX_Text(pDX, IDC_SYSINFO_PROCESSOR_LEVEL, m_processorLevelText);
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

    const platform::SystemNames names = GetSystemNames();
    platform::SystemInfoTexts texts = platform::MakeSystemInfoTexts(m_systemInfo, names);
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

    // The fields are narrow and a distribution's or a processor's name is often longer: where
    // a value is cut, the whole of it is a hover away.
    for (int id = IDC_SYSINFO_FIRST; id <= IDC_SYSINFO_LAST; ++id) {
        CWnd* field = GetDlgItem(id);
        auto* label = field ? qobject_cast<QLabel*>(field->GetSafeHwnd()) : nullptr;
        if (label)
            label->setToolTip(ShowsWhole(*label) ? QString() : label->text());
    }
    return TRUE;
}

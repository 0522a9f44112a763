#include "platform/framework/CListCtrl.h"

#include "platform/framework/DialogWindow.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace {
constexpr int kBytesRole = Qt::UserRole + 1;
constexpr int kDataRole = Qt::UserRole + 2;

QListWidget* List(const CWnd* wnd)
{
    return qobject_cast<QListWidget*>(wnd->GetSafeHwnd());
}
} // namespace

BOOL CListCtrl::DeleteAllItems()
{
    auto* list = List(this);
    if (!list)
        return FALSE;
    const QSignalBlocker blocker(list);
    list->clear();
    if (platform::ControlRecord* record = platform::DialogWindow::RecordOf(list))
        record->selectionMark = -1;
    return TRUE;
}

int CListCtrl::InsertItem(UINT mask, int index, const CString& text, UINT, UINT, int, LPARAM data)
{
    auto* list = List(this);
    if (!list || index < 0)
        return -1;
    const int at = index > list->count() ? list->count() : index;
    const QSignalBlocker blocker(list);
    auto* item = new QListWidgetItem;
    if (mask & LVIF_TEXT) {
        item->setText(text.ToQString());
        item->setData(kBytesRole, QByteArray::fromStdString(text.Bytes()));
    }
    if (mask & LVIF_PARAM)
        item->setData(kDataRole, static_cast<qlonglong>(data));
    list->insertItem(at, item);
    return at;
}

int CListCtrl::InsertItem(int index, const CString& text)
{
    return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0);
}

BOOL CListCtrl::SetTextColor(COLORREF color)
{
    auto* list = List(this);
    if (!list)
        return FALSE;
    QPalette palette = list->palette();
    palette.setColor(QPalette::Text, ToQColor(color));
    list->setPalette(palette);
    return TRUE;
}

COLORREF CListCtrl::GetTextColor() const
{
    const auto* list = List(this);
    if (!list)
        return 0;
    const QColor c = list->palette().color(QPalette::Text);
    return RGB(c.red(), c.green(), c.blue());
}

int CListCtrl::GetItemCount() const
{
    const auto* list = List(this);
    return list ? list->count() : 0;
}

CString CListCtrl::GetItemText(int index, int subItem) const
{
    const auto* list = List(this);
    if (!list || subItem != 0 || index < 0 || index >= list->count())
        return {};
    return CString(list->item(index)->data(kBytesRole).toByteArray().toStdString());
}

int CListCtrl::GetSelectionMark() const
{
    const auto* list = List(this);
    if (!list)
        return -1;
    // The dialog moves the mark when the user picks an item.
    const platform::ControlRecord* record = platform::DialogWindow::RecordOf(list);
    return record ? record->selectionMark : -1;
}

#include "platform/framework/CListBox.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace {
// Each entry keeps the bytes it was given, so GetText returns them unchanged.
constexpr int kBytesRole = Qt::UserRole + 1;

QListWidget* List(const CWnd* wnd)
{
    return qobject_cast<QListWidget*>(wnd->GetSafeHwnd());
}
} // namespace

void CListBox::ResetContent()
{
    if (auto* list = List(this)) {
        const QSignalBlocker blocker(list);
        list->clear();
    }
}

int CListBox::InsertString(int index, const CString& text)
{
    auto* list = List(this);
    if (!list || index > list->count())
        return LB_ERR;
    const int at = index < 0 ? list->count() : index;
    const QSignalBlocker blocker(list);
    auto* item = new QListWidgetItem(text.ToQString());
    item->setData(kBytesRole, QByteArray::fromStdString(text.Bytes()));
    list->insertItem(at, item);
    return at;
}

int CListBox::GetCurSel() const
{
    const auto* list = List(this);
    if (!list)
        return LB_ERR;
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? LB_ERR : list->row(selected.front());
}

int CListBox::SetCurSel(int index)
{
    auto* list = List(this);
    if (!list)
        return LB_ERR;
    // Only the list's own notification is silenced: the view still hears the selection model,
    // so the change shows on screen at once.
    const QSignalBlocker blocker(list);
    if (index < 0 || index >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return LB_ERR;
    }
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    return index;
}

int CListBox::FindString(int startAfter, const CString& prefix) const
{
    const auto* list = List(this);
    if (!list || list->count() == 0)
        return LB_ERR;
    const QString wanted = prefix.ToQString();
    const int count = list->count();
    const int first = (startAfter < 0 || startAfter >= count) ? 0 : startAfter + 1;
    // The search wraps round to the top and ends at the start entry.
    for (int n = 0; n < count; ++n) {
        const int row = (first + n) % count;
        if (list->item(row)->text().startsWith(wanted, Qt::CaseInsensitive))
            return row;
    }
    return LB_ERR;
}

int CListBox::SelectString(int startAfter, const CString& prefix)
{
    const int row = FindString(startAfter, prefix);
    if (row != LB_ERR)
        SetCurSel(row);
    return row;
}

CString CListBox::GetText(int index) const
{
    const auto* list = List(this);
    if (!list || index < 0 || index >= list->count())
        return {};
    return CString(list->item(index)->data(kBytesRole).toByteArray().toStdString());
}

void CListBox::SetItemAccessibleText(int index, const CString& text)
{
    if (auto* list = List(this))
        if (QListWidgetItem* item = list->item(index))
            item->setData(Qt::AccessibleTextRole, text.ToQString());
}

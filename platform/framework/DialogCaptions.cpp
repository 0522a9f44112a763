#include "platform/framework/DialogCaptions.h"

#include "platform/framework/DialogWindow.h"

#include <QLabel>
#include <QRect>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <optional>

namespace platform {

namespace {

// How far, in dialog units, a caption may stand from its control: just above it, or beside
// it on its row (the trackbars' unit names sit past their value fields).
constexpr int kAboveGap = 6;
constexpr int kBesideGap = 30;

QRect Rect(const DialogItem& item)
{
    return {item.x, item.y, item.w, item.h};
}

QString Text(const DialogItem& item)
{
    return QString::fromUtf8(item.text ? item.text : "");
}

// The texts a dialog editor gives a new control ("Static", "Radio1", "Check1"), which the
// user never sees as a caption.
bool IsPlaceholder(const QString& text)
{
    static const QRegularExpression placeholder(
        QStringLiteral("^(Static|Button|Radio|Check|Slider|Spin|DateTimePicker|List|Edit)\\d*$"));
    return placeholder.match(text).hasMatch();
}

bool HasOwnText(const DialogItem& item)
{
    switch (item.kind) {
    case DialogItemKind::PushButton:
    case DialogItemKind::DefPushButton:
    case DialogItemKind::GroupBox:
        return true;
    case DialogItemKind::CheckBox:
    case DialogItemKind::RadioButton:
        return !IsPlaceholder(Text(item));
    case DialogItemKind::Static:
        // A static that code addresses shows a value; one that no code touches is a caption.
        return item.id == -1 || (item.style & SS_TYPEMASK) != SS_LEFT;
    default:
        return false;
    }
}

bool IsCaption(const DialogItem& item)
{
    const QString text = Text(item).trimmed();
    return item.kind == DialogItemKind::Static && (item.style & SS_TYPEMASK) == SS_LEFT && !text.isEmpty() &&
           !IsPlaceholder(text);
}

// The innermost group box that holds the whole rectangle; -1 for none.
int FramingGroup(const std::vector<DialogItem>& items, const QRect& rect)
{
    int found = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRect box = Rect(items[i]);
        if (items[i].kind == DialogItemKind::GroupBox && box.contains(rect) &&
            (found < 0 || Rect(items[static_cast<std::size_t>(found)]).contains(box)))
            found = static_cast<int>(i);
    }
    return found;
}

// How far the caption stands from the control where it is one of the control's captions:
// above it, then before it on its row, then after it; nothing where it is not.
std::optional<int> Distance(const QRect& caption, const QRect& control)
{
    const bool sideBySide = caption.top() <= control.bottom() && control.top() <= caption.bottom();
    const bool overUnder = caption.left() <= control.right() && control.left() <= caption.right();
    if (overUnder && caption.bottom() < control.top() && control.top() - caption.bottom() - 1 <= kAboveGap)
        return control.top() - caption.bottom() - 1;
    if (sideBySide && caption.right() < control.left() && control.left() - caption.right() - 1 <= kBesideGap)
        return control.left() - caption.right() - 1;
    if (sideBySide && caption.left() > control.right() && caption.left() - control.right() - 1 <= kBesideGap)
        return caption.left() - control.right() - 1;
    return std::nullopt;
}

QString Plain(QString text)
{
    // The mnemonic marks are not read out; "&&" is a real ampersand.
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text.trimmed();
}

int CaptionIndex(const std::vector<DialogItem>& items, std::size_t target)
{
    const QRect control = Rect(items[target]);
    const int group = FramingGroup(items, control);
    int best = -1;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i == target || !IsCaption(items[i]) || FramingGroup(items, Rect(items[i])) != group)
            continue;
        if (const auto distance = Distance(Rect(items[i]), control); distance && *distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = *distance;
        }
    }
    return best;
}

} // namespace

std::vector<QString> FindCaptions(const std::vector<DialogItem>& items)
{
    std::vector<QString> captions(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (HasOwnText(items[i]))
            continue;
        // An up-down is announced with the field it steps.
        if (items[i].kind == DialogItemKind::UpDown) {
            if (i > 0 && (items[i].style & UDS_AUTOBUDDY))
                captions[i] = captions[i - 1];
            continue;
        }
        if (const int caption = CaptionIndex(items, i); caption >= 0) {
            captions[i] = Plain(Text(items[static_cast<std::size_t>(caption)]));
        } else if (const int group = FramingGroup(items, Rect(items[i])); group >= 0) {
            captions[i] = Plain(Text(items[static_cast<std::size_t>(group)]));
        }
    }
    return captions;
}

void NameControlsByCaption(const std::vector<DialogItem>& items, const std::vector<QWidget*>& widgets)
{
    const std::vector<QString> captions = FindCaptions(items);
    for (std::size_t i = 0; i < items.size() && i < widgets.size(); ++i) {
        if (captions[i].isEmpty())
            continue;
        if (ControlRecord* record = DialogWindow::RecordOf(widgets[i]))
            record->caption = captions[i];
        widgets[i]->setAccessibleName(captions[i]);
        if (const int caption = CaptionIndex(items, i); caption >= 0)
            if (auto* label = qobject_cast<QLabel*>(widgets[static_cast<std::size_t>(caption)]);
                label && !label->buddy())
                label->setBuddy(widgets[i]);
    }
}

} // namespace platform

#include "platform/framework/CDialog.h"
#include "platform/framework/CSliderCtrl.h"
#include "platform/framework/ControlText.h"
#include "platform/framework/Cursor.h"
#include "platform/framework/DateTimePicker.h"
#include "platform/framework/DialogCaptions.h"
#include "platform/framework/DialogUnits.h"
#include "platform/framework/DialogWindow.h"
#include "platform/framework/GroupBox.h"
#include "platform/framework/UpDownWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <vector>

namespace platform {

namespace {

bool ImpliedTabStop(DialogItemKind kind)
{
    switch (kind) {
    case DialogItemKind::PushButton:
    case DialogItemKind::DefPushButton:
    case DialogItemKind::CheckBox:
    case DialogItemKind::Edit:
    case DialogItemKind::RichEdit:
    case DialogItemKind::ListBox:
    case DialogItemKind::ListView:
        return true;
    default:
        return false;
    }
}

QWidget* MakeButton(const DialogItem& item, QWidget* parent, CDialog* owner)
{
    QAbstractButton* button = nullptr;
    if (item.kind == DialogItemKind::CheckBox) {
        button = new QCheckBox(parent);
    } else if (item.kind == DialogItemKind::RadioButton) {
        // Announced as a radio button; which others it unchecks follows WS_GROUP (below), not
        // the parent, so Qt's own exclusivity is kept out by a group that excludes nothing.
        auto* radio = new QRadioButton(parent);
        button = radio;
    } else {
        auto* push = new QPushButton(parent);
        // Enter is the dialog's to route, not the button's.
        push->setAutoDefault(false);
        push->setDefault(false);
        button = push;
    }
    const int id = item.id;
    QObject::connect(button, &QAbstractButton::clicked, button, [button, owner, id] {
        if (qobject_cast<QRadioButton*>(button)) {
            // An auto radio button: it is checked and the rest of its group is not.
            const ControlRecord* mine = DialogWindow::RecordOf(button);
            for (auto* other :
                 button->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
                const ControlRecord* theirs = DialogWindow::RecordOf(other);
                if (mine && theirs && theirs->radioGroup == mine->radioGroup) {
                    const QSignalBlocker blocker(other);
                    other->setChecked(other == button);
                }
            }
        }
        owner->OnCommandFromControl(id);
    });
    return button;
}

QWidget* MakeStatic(const DialogItem& item, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    const UINT type = item.style & SS_TYPEMASK;
    if (type == SS_BITMAP || type == SS_ICON) {
        const QPixmap picture = AfxLoadBitmap(item.resourceId);
        if (!picture.isNull())
            label->setPixmap(picture);
    }
    if ((item.style & SS_SUNKEN) || (item.exStyle & WS_EX_STATICEDGE)) {
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setLineWidth(1);
    }
    if (item.style & SS_NOTIFY)
        label->setMouseTracking(true);
    else
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QWidget* MakeEdit(const DialogItem& item, QWidget* parent)
{
    if (item.kind == DialogItemKind::Edit && !(item.style & ES_MULTILINE)) {
        auto* edit = new QLineEdit(parent);
        edit->setReadOnly(item.style & ES_READONLY);
        return edit;
    }
    auto* multi = new QPlainTextEdit(parent);
    multi->setReadOnly(item.style & ES_READONLY);
    multi->setTabChangesFocus(true);
    multi->setVerticalScrollBarPolicy((item.style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
    multi->setLineWrapMode((item.style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap
                                                         : QPlainTextEdit::WidgetWidth);
    return multi;
}

QWidget* MakeList(const DialogItem& item, QWidget* parent, CDialog* owner)
{
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    const int id = item.id;
    if (item.kind == DialogItemKind::ListView) {
        // Small icons: entries flow left to right and wrap at the right edge.
        list->setViewMode(QListView::ListMode);
        list->setFlow(QListView::LeftToRight);
        list->setWrapping(true);
        list->setResizeMode(QListView::Adjust);
        QObject::connect(list, &QListWidget::itemSelectionChanged, list, [list, owner, id] {
            const auto selected = list->selectedItems();
            if (ControlRecord* record = DialogWindow::RecordOf(list); record && !selected.isEmpty())
                record->selectionMark = list->row(selected.front());
            owner->SendNotify(ControlEvent::ItemChanged, id);
        });
    } else if (item.style & LBS_NOTIFY) {
        QObject::connect(list, &QListWidget::itemSelectionChanged, list,
                         [owner, id] { owner->SendNotify(ControlEvent::SelChange, id); });
    }
    return list;
}

QWidget* MakeTrackbar(const DialogItem& item, QWidget* parent, CDialog* owner)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(0, 100);
    slider->setPageStep(20);
    if (item.style & TBS_AUTOTICKS) {
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(1);
    } else {
        slider->setTickPosition(QSlider::NoTicks);
    }
    // Code that moves the slider blocks its signals, so what arrives here is the user's.
    QObject::connect(slider, &QSlider::valueChanged, slider, [slider, owner](int value) {
        owner->SendHScroll(TB_THUMBTRACK, static_cast<UINT>(value), slider);
    });
    QObject::connect(slider, &QSlider::sliderReleased, slider, [slider, owner] {
        owner->SendHScroll(TB_ENDTRACK, static_cast<UINT>(slider->value()), slider);
    });
    return slider;
}

QWidget* MakeControl(const DialogItem& item, QWidget* parent, CDialog* owner, QWidget* previous)
{
    switch (item.kind) {
    case DialogItemKind::PushButton:
    case DialogItemKind::DefPushButton:
    case DialogItemKind::CheckBox:
    case DialogItemKind::RadioButton:
        return MakeButton(item, parent, owner);
    case DialogItemKind::GroupBox:
        return new GroupBox((item.style & BS_FLAT) != 0, parent);
    case DialogItemKind::Static:
        return MakeStatic(item, parent);
    case DialogItemKind::Edit:
    case DialogItemKind::RichEdit:
        return MakeEdit(item, parent);
    case DialogItemKind::ListBox:
    case DialogItemKind::ListView:
        return MakeList(item, parent, owner);
    case DialogItemKind::Trackbar:
        return MakeTrackbar(item, parent, owner);
    case DialogItemKind::UpDown: {
        auto* updown = new UpDownWidget(item.style, parent);
        if (item.style & UDS_AUTOBUDDY)
            updown->SetBuddy(previous);
        return updown;
    }
    case DialogItemKind::DateTimePicker:
        return new DateTimePicker((item.style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT, parent);
    }
    return new QWidget(parent);
}

} // namespace

void BuildDialogControls(DialogWindow* window, const DialogTemplate& dialogTemplate, CDialog* owner)
{
    const QFont font = DialogFont(dialogTemplate.fontName, dialogTemplate.fontPointSize);
    window->setFont(font);
    const DialogBaseUnits base = MeasureBaseUnits(font);
    window->setFixedSize(MulDiv(dialogTemplate.width, base.cx, 4), MulDiv(dialogTemplate.height, base.cy, 8));
    platform::SetControlText(window, CString(dialogTemplate.caption));

    std::vector<QWidget*> tabChain;
    std::vector<QWidget*> groupBoxes;
    std::vector<QWidget*> widgets;
    QButtonGroup* radios = nullptr;
    int radiosGroup = -1;
    QWidget* previous = nullptr;
    int group = 0;
    bool haveDefault = false;
    for (const DialogItem& item : dialogTemplate.items) {
        if ((item.style & WS_GROUP) || item.kind == DialogItemKind::Static)
            ++group;
        QWidget* widget = MakeControl(item, window, owner, previous);
        widgets.push_back(widget);
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (!radios || radiosGroup != group) {
                radios = new QButtonGroup(window);
                radios->setExclusive(false);
                radiosGroup = group;
            }
            radios->addButton(radio);
        }
        widget->setGeometry(MapDialogRect(QRect(item.x, item.y, item.w, item.h), base));
        if (const auto* label = qobject_cast<QLabel*>(widget); label && !label->pixmap().isNull())
            widget->resize(label->pixmap().deviceIndependentSize().toSize()); // pictures keep their size
        ControlRecord record;
        record.id = item.id;
        record.kind = item.kind;
        record.style = item.style;
        record.radioGroup = group;
        window->AddControl(record, widget);
        if (item.kind != DialogItemKind::ListBox && item.kind != DialogItemKind::ListView &&
            item.kind != DialogItemKind::Trackbar && item.kind != DialogItemKind::UpDown &&
            item.kind != DialogItemKind::DateTimePicker)
            platform::SetControlText(widget, CString(item.text ? item.text : ""));
        widget->setEnabled(!(item.style & WS_DISABLED));

        const bool focusable = item.kind != DialogItemKind::Static && item.kind != DialogItemKind::GroupBox &&
                               item.kind != DialogItemKind::UpDown;
        if (focusable) {
            const bool tabStop = ImpliedTabStop(item.kind) || (item.style & WS_TABSTOP);
            widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
            tabChain.push_back(widget);
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if (item.kind == DialogItemKind::GroupBox)
            groupBoxes.push_back(widget);
        if (item.kind == DialogItemKind::DefPushButton && !haveDefault) {
            window->SetDefaultId(item.id);
            haveDefault = true;
        }
        previous = widget;
    }
    for (std::size_t i = 1; i < tabChain.size(); ++i)
        QWidget::setTabOrder(tabChain[i - 1], tabChain[i]);
    NameControlsByCaption(dialogTemplate.items, widgets);
    // Group boxes only frame what lies on them.
    for (QWidget* box : groupBoxes)
        box->lower();
}

} // namespace platform

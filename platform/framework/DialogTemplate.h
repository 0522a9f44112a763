#pragma once

#include "platform/framework/AfxWin.h"

#include <vector>

// A dialog template as data, laid out in dialog units, as the resource compiler would have
// stored it. res/ declares the program's templates with these and registers them by id.

// The styles the program's templates use; the values are those the templates were written with.
inline constexpr UINT WS_TABSTOP = 0x00010000;
inline constexpr UINT WS_GROUP = 0x00020000;
inline constexpr UINT WS_HSCROLL = 0x00100000;
inline constexpr UINT WS_VSCROLL = 0x00200000;
inline constexpr UINT WS_BORDER = 0x00800000;
inline constexpr UINT WS_DISABLED = 0x08000000;
inline constexpr UINT WS_POPUP = 0x80000000;

inline constexpr UINT DS_SETFONT = 0x40;
inline constexpr UINT DS_MODALFRAME = 0x80;

inline constexpr UINT BS_DEFPUSHBUTTON = 0x1;
inline constexpr UINT BS_AUTOCHECKBOX = 0x3;
inline constexpr UINT BS_GROUPBOX = 0x7;
inline constexpr UINT BS_AUTORADIOBUTTON = 0x9;
inline constexpr UINT BS_FLAT = 0x8000;

inline constexpr UINT SS_TYPEMASK = 0x1F; // SS_LEFT, SS_ICON and SS_BITMAP are values of this field
inline constexpr UINT SS_LEFT = 0x0;
inline constexpr UINT SS_ICON = 0x3;
inline constexpr UINT SS_BITMAP = 0xE;
inline constexpr UINT SS_NOPREFIX = 0x80;
inline constexpr UINT SS_NOTIFY = 0x100;
inline constexpr UINT SS_SUNKEN = 0x1000;

inline constexpr UINT ES_MULTILINE = 0x4;
inline constexpr UINT ES_AUTOVSCROLL = 0x40;
inline constexpr UINT ES_AUTOHSCROLL = 0x80;
inline constexpr UINT ES_READONLY = 0x800;
inline constexpr UINT ES_WANTRETURN = 0x1000;

inline constexpr UINT LBS_NOTIFY = 0x1;
inline constexpr UINT LBS_SORT = 0x2;
inline constexpr UINT LBS_NOINTEGRALHEIGHT = 0x100;

inline constexpr UINT LVS_SMALLICON = 0x2;
inline constexpr UINT LVS_SINGLESEL = 0x4;

inline constexpr UINT TBS_HORZ = 0x0;
inline constexpr UINT TBS_AUTOTICKS = 0x1;
inline constexpr UINT TBS_NOTICKS = 0x10;

inline constexpr UINT UDS_SETBUDDYINT = 0x2;
inline constexpr UINT UDS_ALIGNRIGHT = 0x4;
inline constexpr UINT UDS_AUTOBUDDY = 0x10;
inline constexpr UINT UDS_ARROWKEYS = 0x20;

inline constexpr UINT DTS_SHORTDATEFORMAT = 0x0;
inline constexpr UINT DTS_UPDOWN = 0x1;
inline constexpr UINT DTS_TIMEFORMAT = 0x9;
inline constexpr UINT DTS_RIGHTALIGN = 0x20;

inline constexpr UINT WS_EX_STATICEDGE = 0x00020000;

enum class DialogItemKind
{
    PushButton,
    DefPushButton, // the dialog's default button: Enter presses it
    CheckBox,      // BS_AUTOCHECKBOX
    RadioButton,   // BS_AUTORADIOBUTTON; its group runs from a WS_GROUP item to the next one
    GroupBox,
    Static,         // text (SS_LEFT), or a picture with SS_BITMAP / SS_ICON and resourceId
    Edit,           // one line; ES_MULTILINE makes it a plain multi-line field
    RichEdit,       // "RICHEDIT": multi-line plain text, CR LF line breaks in the member
    ListBox,        // "LISTBOX": single selection, never sorted here
    ListView,       // "SysListView32" in LVS_SMALLICON, LVS_SINGLESEL
    Trackbar,       // "msctls_trackbar32", horizontal
    UpDown,         // "msctls_updown32"
    DateTimePicker, // "SysDateTimePick32": DTS_SHORTDATEFORMAT or DTS_TIMEFORMAT
};

// One control. Static items always start a group, as the resource compiler's LTEXT does;
// edits, rich edits, list boxes, list views, push buttons and check boxes are always tab
// stops, as the dialog editor makes them. Radio buttons, trackbars, pickers and up-downs are
// tab stops only with WS_TABSTOP.
struct DialogItem
{
    int id = -1; // -1: a control no code addresses
    DialogItemKind kind = DialogItemKind::Static;
    const char* text = "";
    int x = 0; // dialog units
    int y = 0;
    int w = 0;
    int h = 0;
    UINT style = 0;      // WS_TABSTOP, WS_GROUP, BS_FLAT and the kind's own styles above
    UINT exStyle = 0;    // WS_EX_STATICEDGE
    UINT resourceId = 0; // the bitmap of SS_BITMAP or the icon of SS_ICON
};

struct DialogTemplate
{
    UINT id = 0;
    const char* caption = "";
    int width = 0; // dialog units
    int height = 0;
    const char* fontName = "MS Sans Serif";
    int fontPointSize = 8;
    UINT style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    std::vector<DialogItem> items; // in tab (and stacking) order
};

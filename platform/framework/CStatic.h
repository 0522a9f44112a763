#pragma once

#include "platform/framework/CWnd.h"

// A static text or picture. With SS_NOTIFY it takes the mouse: a click reaches
// OnLButtonDown, whose default sends STN_CLICKED to the dialog, and the cursor over it asks
// OnSetCursor. Without SS_NOTIFY the mouse passes through to what lies beneath.
class CStatic : public CWnd
{
};

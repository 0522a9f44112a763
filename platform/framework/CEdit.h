#pragma once

#include "platform/framework/CWnd.h"

// An edit field: one line, or multi-line (the rich edit of the templates is one too). Text
// is exchanged as bytes; multi-line text carries CR LF line breaks.
class CEdit : public CWnd
{
};

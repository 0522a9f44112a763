#pragma once

#include "platform/framework/AfxWin.h"

// Something that can handle a command id; the frame routes a command to its view, then to
// the document, then to the application, as the framework's command routing does.
class CCmdTarget
{
public:
    virtual ~CCmdTarget() = default;
    // True when the command was handled.
    virtual bool OnCmdMsg(UINT id) = 0;
};

#pragma once

#include "platform/framework/DialogTemplate.h"

#include <QString>

#include <vector>

class QWidget;

namespace platform {

// A control without a text of its own (an edit, a picker, a list, a trackbar, a value field,
// a check box or radio button whose text is only the dialog editor's placeholder) is
// announced by the caption the user reads for it: a static text just above it, or beside it
// on its row, within the same group box; failing that, the title of the group box that
// frames it. Returns the caption of each item, empty where the item has its own text or no
// caption is found. `items` is the template's list, in its order.
std::vector<QString> FindCaptions(const std::vector<DialogItem>& items);

// Gives each control of the dialog the accessible name of its caption, and ties the caption
// to it (a labelled-by relation) where the caption is a static text.
void NameControlsByCaption(const std::vector<DialogItem>& items, const std::vector<QWidget*>& widgets);

} // namespace platform

#pragma once

#include "data/CContactList.h"
#include "platform/framework/CString.h"

#include <string>
#include <vector>

// vCard files and folders dropped on the clock or the Notebook, added to the book as
// --import-vcard adds them and told in a message box with its summary. The book reaches
// date.info as every other change does, when the program ends. A file that cannot be read
// adds nothing at all. Returns the text shown.
CString ImportDroppedVCards(const std::vector<std::string>& paths, CContactList& contacts);

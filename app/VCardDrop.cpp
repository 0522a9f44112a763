#include "app/VCardDrop.h"

#include "app/VCardInput.h"
#include "app/VCardMerge.h"
#include "platform/framework/MessageBox.h"

#include <cctype>
#include <iostream>

namespace {

// More than this many reasons would make a box taller than the screen; the rest are counted.
constexpr std::size_t kMostReasons = 12;

std::string Sentence(std::string text)
{
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

} // namespace

CString ImportDroppedVCards(const std::vector<std::string>& paths, CContactList& contacts)
{
    std::vector<VCardInput> inputs(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::string error;
        if (!ReadVCardInput(paths[i], std::cin, &inputs[i], &error)) {
            CString text(Sentence(error) + " Nothing was imported.");
            AfxMessageBox(text, MB_ICONEXCLAMATION);
            return text;
        }
    }
    MergeOutcome total;
    for (VCardInput& input : inputs)
        total.Add(MergeCards(input, contacts));
    std::string text = total.Summary();
    for (std::size_t i = 0; i < total.messages.size() && i < kMostReasons; ++i)
        text += "\n" + Sentence(total.messages[i]) + '.';
    if (total.messages.size() > kMostReasons)
        text += "\n... and " + std::to_string(total.messages.size() - kMostReasons) + " more.";
    AfxMessageBox(CString(text));
    return CString(text);
}

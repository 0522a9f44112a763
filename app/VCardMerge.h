#pragma once

#include "app/VCardInput.h"
#include "data/CContactList.h"

#include <string>
#include <vector>

// What adding read cards to the book did, as --import-vcard and a drop on the windows tell it.
struct MergeOutcome
{
    int added = 0;
    int duplicates = 0; // already in the book, or added earlier from the same input
    int withoutBirthday = 0;
    int incomplete = 0;
    std::vector<std::string> messages; // why each card was skipped, escaped for a terminal

    void Add(const MergeOutcome& other);
    // "Added 2 contacts, skipped 1 (1 duplicate)."
    std::string Summary() const;
};

// Appends the cards of input to contacts as the Notebook's "Add" would, one by one: a card
// already in the book, or added earlier from the same input, is skipped, and so is one whose
// UID is a contact's of the book (ContactUids), which keeps its own fields. The list ends in
// the order that sorting by calendar day after each added contact gives. Takes the cards.
MergeOutcome MergeCards(VCardInput& input, CContactList& contacts);

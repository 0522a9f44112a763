#pragma once

#include "data/VCard.h"

#include <iosfwd>
#include <string>
#include <vector>

// What an import reads: the cards of a file, of standard input, or of every .vcf file of a
// folder (the "vdir" of khard and vdirsyncer), and for each contact the file it came from.
struct VCardInput
{
    vcard::ReadResult cards;        // a folder's problems name their file
    std::vector<std::string> paths; // of each contact; "-" for standard input
    bool folder = false;

    // The contact's file as messages name it.
    std::string Source(int contact) const;
};

// vcfPath "-" reads in; a folder is read as ReadVCardFolder does. False, with a sentence for
// the user in error, when something cannot be read or is larger than 256 MiB.
bool ReadVCardInput(const std::string& vcfPath, std::istream& in, VCardInput* input, std::string* error);

// Every .vcf file of the folder that is not hidden (other programs' temporaries are), in the
// order of their names; folders in it are passed over, and any file that cannot be read stops it.
bool ReadVCardFolder(const std::string& folder, VCardInput* input, std::string* error);

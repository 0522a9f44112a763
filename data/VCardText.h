#pragma once

#include <string>
#include <string_view>
#include <vector>

// Byte-level pieces of the vCard format shared by its reader and writer: character sets,
// quoted-printable, escaping and line folding. Everything here takes and returns UTF-8
// bytes (std::string), since vCard text is UTF-8 on both sides.
namespace vcard::text {

// Valid UTF-8 sequences pass unchanged; each byte that does not start or continue one is
// read as Windows-1252, the code page older books and older address books were written in.
std::string ToValidUtf8(std::string_view bytes);

// Converts text in a named character set to UTF-8. UTF-8, US-ASCII, ISO-8859-1 and
// Windows-1252 are converted here; other names go through Qt's codecs, and an unknown
// name falls back to ToValidUtf8.
std::string ConvertToUtf8(std::string_view bytes, std::string_view charset);

// Text with a UTF-16 byte order mark (as some Windows programs export it) as UTF-8.
std::string Utf16ToUtf8(std::string_view bytes);

// Decodes "=XX" escapes; a "=" not followed by two hex digits is kept as it is.
std::string DecodeQuotedPrintable(std::string_view value);

// Escapes backslash, comma, semicolon and line breaks (CR LF, CR or LF become "\n").
std::string EscapeText(std::string_view value);

// Undoes the escapes of vCard 3.0 and 4.0 text ("\\", "\,", "\;", "\:", "\n", "\N"); any
// other backslash is kept. A line break becomes LF.
std::string UnescapeText(std::string_view value);

// Splits a compound value at the semicolons that are not escaped, into at most `most` parts;
// the parts keep their escapes, and what follows the last of them is dropped. A value of
// millions of semicolons thus costs no more than the parts asked for.
std::vector<std::string> SplitCompound(std::string_view value, std::size_t most);

// A content line ended by CR LF, folded so that no line exceeds 75 octets; continuation
// lines start with a space, and a UTF-8 sequence is never split across lines.
std::string FoldLine(std::string_view line);

// Every line break (CR LF, CR, LF) written as CR LF, and other control characters except
// the tab dropped, C1 ones (U+0080 to U+009F) too. Takes valid UTF-8.
std::string NormalizeNote(std::string_view value);
// Line breaks become spaces, other control characters except the tab are dropped as above.
std::string SingleLine(std::string_view value);

bool EqualsNoCase(std::string_view a, std::string_view b);

// The length of the well-formed UTF-8 sequence that starts at pos, or 0 when none does there
// (a stray continuation byte, an overlong form, a surrogate, a sequence cut short).
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t pos);

} // namespace vcard::text

#pragma once

#include <optional>
#include <string>
#include <string_view>

// The files keep 8-bit texts (Latin-1); terminals and command lines speak UTF-8. These are the
// two directions, and the form in which a text read from a file is safe to print.
namespace zev::common {

// Every byte as its Latin-1 character in UTF-8.
std::string latin1ToUtf8(std::string_view bytes);

// The Latin-1 bytes of a UTF-8 text, or nothing when it holds a character above U+00FF (or is
// not UTF-8 at all): such a text cannot be stored as it was typed.
std::optional<std::string> utf8ToLatin1(std::string_view utf8);

// A text read from a file, fit for a terminal: control characters (C0, DEL and C1, which start
// escape sequences) as "\xNN", the rest as UTF-8.
std::string printableText(std::string_view bytes);

} // namespace zev::common

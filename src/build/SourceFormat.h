#pragma once

#include <string>
#include <string_view>

// Composing the generated source texts: printf-style appends (the game's source formats are
// printf formats) and the text-mode line ends of the files on disk.
namespace zev::build {

#if defined(__GNUC__) || defined(__clang__)
#define ZEV_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define ZEV_PRINTF_FORMAT(fmt, args)
#endif

// Appends the printf formatting of `format` to `out`. Floats go in as common::cFloat texts:
// printf's own float conversions follow the process locale.
void appendf(std::string& out, const char* format, ...) ZEV_PRINTF_FORMAT(2, 3);

// The text as a text-mode file stores it: every "\n" becomes carriage return and line feed.
std::string withCrLf(std::string_view text);

} // namespace zev::build

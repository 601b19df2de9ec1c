#include "common/Latin1Text.h"

#include <gtest/gtest.h>

using namespace zev::common;

TEST(Latin1Text, TypedTextsBecomeTheFilesBytesOrAreRefused) {
    EXPECT_EQ(utf8ToLatin1("caf\xc3\xa9"), std::optional<std::string>("caf\xe9"));
    EXPECT_EQ(utf8ToLatin1("plain"), std::optional<std::string>("plain"));
    EXPECT_EQ(utf8ToLatin1("caf\xc3\xa9 \xe4\xb8\xad"), std::nullopt); // a CJK character
    EXPECT_EQ(utf8ToLatin1("\xe9"), std::nullopt);                     // Latin-1, not UTF-8
    EXPECT_EQ(utf8ToLatin1("\xc3"), std::nullopt);                     // cut short
    EXPECT_EQ(latin1ToUtf8("caf\xe9"), "caf\xc3\xa9");
}

TEST(Latin1Text, NamesFromFilesArePrintedWithControlCharactersEscaped) {
    EXPECT_EQ(printableText("\x1b[2J\x1b]0;owned\x07"), "\\x1b[2J\\x1b]0;owned\\x07");
    EXPECT_EQ(printableText("a\tb\r\nc\x7f"), "a\\x09b\\x0d\\x0ac\\x7f");
    EXPECT_EQ(printableText("\x9b"
                            "31m"),
              "\\x9b31m"); // the one-byte escape sequence start
    EXPECT_EQ(printableText("RMG\\A.bwd"), "RMG\\A.bwd");
    EXPECT_EQ(printableText("Caf\xe9 F1"), "Caf\xc3\xa9 F1");
}

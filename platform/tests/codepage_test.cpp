// Code page 1250 of the files and the terminal's encoding.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "platform/codepage.h"

namespace platform {
namespace {

TEST(Cp1250, CzechLettersHaveTheirBytes)
{
    EXPECT_EQ(to_cp1250("ěščřžýáíéů"), "\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xF9");
    EXPECT_EQ(to_cp1250("ĚŠČŘŽÝÁÍÉŮ ťďň"), "\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\xD9 \x9D\xEF\xF2");
    EXPECT_EQ(from_cp1250("\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xF9"), "ěščřžýáíéů");
}

TEST(Cp1250, WhatHasNoPlaceBecomesAQuestionMark)
{
    EXPECT_EQ(to_cp1250("a✓b"), "a?b");
    EXPECT_EQ(to_cp1250("Ω=1"), "?=1");
    EXPECT_EQ(to_cp1250("x\xFFy"), "x?y");   // not UTF-8 at all
    EXPECT_EQ(to_cp1250("x\xC5"), "x?");     // cut off inside a sequence
    EXPECT_EQ(from_cp1250("a\x81z"), "a?z");  // 0x81 is not used in 1250
}

TEST(Utf8, TellsUtf8FromCp1250)
{
    EXPECT_TRUE(is_valid_utf8("Síť 1"));
    EXPECT_FALSE(is_valid_utf8("S\xED\x9D"));
    EXPECT_FALSE(is_valid_utf8("\xC0\xAF"));  // overlong form of '/'
}

// setlocale(LC_CTYPE, "") follows LC_ALL first.
class TerminalLocale : public ::testing::Test {
protected:
    void TearDown() override
    {
        unsetenv("LC_ALL");
        std::setlocale(LC_CTYPE, "C");
    }
};

TEST_F(TerminalLocale, CLocaleShowsUtf8Unchanged)
{
    setenv("LC_ALL", "C", 1);
    const TerminalEncoding encoding;
    EXPECT_EQ(encoding.encode("Čas: ěšč"), "Čas: ěšč");
}

TEST_F(TerminalLocale, Latin2LocaleGetsLatin2Bytes)
{
    setenv("LC_ALL", "cs_CZ.ISO-8859-2", 1);
    if (std::setlocale(LC_CTYPE, "") == nullptr) GTEST_SKIP() << "no cs_CZ.ISO-8859-2 locale here";
    const TerminalEncoding encoding;
    EXPECT_EQ(encoding.encode("čas"), "\xE8" "as");
}

}  // namespace
}  // namespace platform

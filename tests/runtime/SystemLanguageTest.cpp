#include "runtime/SharedGlobals.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Runs once more in a process with LC_ALL=ja_JP.SJIS (see tests/CMakeLists.txt).
TEST(SharedGlobals, StartUpFollowsTheSystemLanguage)
{
    const LANGID language = GetSystemDefaultLangID();
    std::printf("lang=%04x\n", language);
    InitSharedGlobals();
    EXPECT_EQ(UISettings(), UILocaleFor(language));
    if (PRIMARYLANGID(language) == LANG_JAPANESE) {
        EXPECT_EQ(UICharset(), SHIFTJIS_CHARSET);
        EXPECT_TRUE(UISettings().Japanese);
        EXPECT_EQ(ApplyFontFaceOverride("Tahoma"), "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
    }
    DoneSharedGlobals();
}

} // namespace

#include "text_util.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace xpicker;

TEST(TextUtil, LineBreaks) {
    EXPECT_EQ(expandLineBreaks("a\\nb\\n"), "a\nb\n");
    EXPECT_EQ(expandLineBreaks("a\\tb\\"), "a\\tb\\");
    EXPECT_EQ(splitLines("a\nbb\n").size(), 3u);
    EXPECT_EQ(splitLines("").size(), 1u);
}

TEST(TextUtil, TextOrFile) {
    char path[] = "/tmp/xpicker_text_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "x\\ny", 4), 4);
    close(fd);
    EXPECT_EQ(readTextOrFile(path), "x\\ny");  // file content is taken as it is
    std::remove(path);
    EXPECT_EQ(readTextOrFile(path), std::string(path));
    EXPECT_EQ(readTextOrFile("no\\nfile"), "no\nfile");
    EXPECT_EQ(readTextOrFile(""), "");
}

TEST(TextUtil, Blanks) {
    EXPECT_EQ(withoutLeadingBlanks(" \t a b "), "a b ");
    EXPECT_TRUE(containsAnyOf("a;b", ";"));
    EXPECT_FALSE(containsAnyOf("ab", ""));
}

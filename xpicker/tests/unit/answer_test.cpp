#include "answer.h"

#include <gtest/gtest.h>

using namespace xpicker;

namespace {

OkContext listAndField(const std::string* value, std::string typed) {
    OkContext c;
    c.hasList = true;
    c.hasInput = true;
    c.selectedValue = value;
    c.typedText = std::move(typed);
    return c;
}

}  // namespace

TEST(Answer, ListOnly) {
    const std::string value = "v";
    OkContext c;
    c.hasList = true;
    c.selectedValue = &value;
    OkOutcome o = decideOk(c);
    EXPECT_TRUE(o.printLine);
    EXPECT_EQ(o.line, "v");
    c.selectedValue = nullptr;
    EXPECT_TRUE(decideOk(c).refused);
}

TEST(Answer, FieldDropsLeadingBlanksKeepsTrailing) {
    OkContext c;
    c.hasInput = true;
    c.typedText = "  \thello  ";
    const OkOutcome o = decideOk(c);
    EXPECT_EQ(o.line, "hello  ");
    c.typedText = "   ";
    EXPECT_TRUE(decideOk(c).refused);  // empty field without a list
}

TEST(Answer, TypedTextBeatsListUnlessEmpty) {
    const std::string value = "v";
    EXPECT_EQ(decideOk(listAndField(&value, " t")).line, "t");
    EXPECT_EQ(decideOk(listAndField(&value, "  ")).line, "v");
    EXPECT_TRUE(decideOk(listAndField(nullptr, "")).refused);
}

TEST(Answer, Both) {
    const std::string value = "v";
    OkContext c = listAndField(&value, "  typed ");
    c.both = true;
    EXPECT_EQ(decideOk(c).line, "v typed ");
    c.typedText = "";
    EXPECT_TRUE(decideOk(c).refused);
    c = listAndField(nullptr, "typed");
    c.both = true;
    EXPECT_TRUE(decideOk(c).refused);
}

TEST(Answer, DeniedCharactersRefuse) {
    const std::string value = "v";
    OkContext c = listAndField(&value, "a;b");
    c.denied = ";|";
    EXPECT_TRUE(decideOk(c).refused);
    c.typedText = "ab";
    EXPECT_EQ(decideOk(c).line, "ab");
}

TEST(Answer, NothingPrinted) {
    OkContext c;  // log window or a question alone
    OkOutcome o = decideOk(c);
    EXPECT_FALSE(o.refused);
    EXPECT_FALSE(o.printLine);
    c = listAndField(nullptr, "");
    c.noReturn = true;
    o = decideOk(c);
    EXPECT_FALSE(o.refused);
    EXPECT_FALSE(o.printLine);
}

TEST(Answer, Cancel) {
    EXPECT_FALSE(decideCancel("").printLine);
    EXPECT_EQ(decideCancel("no").line, "no");
}

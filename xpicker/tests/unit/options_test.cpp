#include "options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

using namespace xpicker;

namespace {

ParseResult parse(std::initializer_list<const char*> args, const char* display = nullptr) {
    std::vector<const char*> argv{"/usr/local/bin/xpicker"};
    argv.insert(argv.end(), args.begin(), args.end());
    return parseCommandLine(static_cast<int>(argv.size()), argv.data(), display);
}

}  // namespace

TEST(CommandLine, StatusesForBadCommandLines) {
    // arguments                                   expected status
    struct Row { std::vector<const char*> args; int status; };
    const Row rows[] = {
        {{}, kExitUnknownOrNoMode},                               // no mode
        {{"-choice", "a", "b"}, kExitUnknownOrNoMode},            // choice alone is no mode
        {{"-question", "q", "-bogus"}, kExitUnknownOrNoMode},     // unknown option
        {{"-Question", "q"}, kExitUnknownOrNoMode},               // case matters
        {{"-question"}, kExitBadArguments},                       // missing argument
        {{"-question", "q", "-choice", "a"}, kExitBadArguments},  // second argument missing
        {{"-help", "h", "b"}, kExitBadArguments},
        {{"-log", "x"}, kExitBadArguments},
        {{"-bogus", "-question"}, kExitUnknownOrNoMode},          // first problem wins
    };
    for (const Row& row : rows) {
        std::vector<const char*> argv{"xpicker"};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        const ParseResult r = parseCommandLine(static_cast<int>(argv.size()), argv.data(), nullptr);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.exitStatus, row.status) << (row.args.empty() ? "(none)" : row.args[0]);
    }
}

TEST(CommandLine, EachModeIsEnough) {
    for (auto args : {std::vector<const char*>{"-question", "q"}, {"-message", "OK", "t"}, {"-error", "OK", "t"},
                      {"-wait", "OK", "t"}, {"-log", "x", "f"}, {"-tail", "x", "f"}}) {
        std::vector<const char*> argv{"xpicker"};
        argv.insert(argv.end(), args.begin(), args.end());
        EXPECT_TRUE(parseCommandLine(static_cast<int>(argv.size()), argv.data(), nullptr).ok) << args[0];
    }
}

TEST(CommandLine, DefaultsAndTitle) {
    const ParseResult r = parse({"-question", "q"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.options.title, "xpicker");
    EXPECT_EQ(r.options.displayName, ":0.0");
    EXPECT_EQ(r.options.okLabel, "OK");
    EXPECT_EQ(r.options.helpButtonLabel, "OK");
    EXPECT_EQ(r.options.listLines(), 10);
    EXPECT_EQ(r.options.listColumns(), 1);
    EXPECT_EQ(chooseWindow(r.options), WindowKind::Choice);
}

TEST(CommandLine, DisplayFromEnvironmentThenOption) {
    EXPECT_EQ(parse({"-question", "q"}, ":7").options.displayName, ":7");
    EXPECT_EQ(parse({"-display", ":9", "-question", "q"}, ":7").options.displayName, ":9");
}

TEST(CommandLine, LaterValueWinsChoicesAppend) {
    const ParseResult r = parse({"-question", "a", "-question", "b\\nc", "-choice", "one", "", "-choice", "two", "2",
                                 "-ok", "x", "-ok", "Go"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(*r.options.question, "b\nc");
    ASSERT_EQ(r.options.choices.size(), 2u);
    EXPECT_EQ(r.options.choices[0].value, "one");  // empty value: the label
    EXPECT_EQ(r.options.choices[1].value, "2");
    EXPECT_EQ(r.options.okLabel, "Go");
}

TEST(CommandLine, QuestionDefaultOnlyWhenAnotherModeGiven) {
    const ParseResult r = parse({"-message", "OK", "text"});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(*r.options.question, "choose:");
    EXPECT_EQ(chooseWindow(r.options), WindowKind::Message);
}

TEST(CommandLine, WindowChoice) {
    EXPECT_EQ(chooseWindow(parse({"-tail", "x", "f"}).options), WindowKind::Log);
    EXPECT_TRUE(parse({"-tail", "x", "f"}).options.logMarker);
    EXPECT_EQ(chooseWindow(parse({"-message", "OK", "t", "-log", "x", "f"}).options), WindowKind::Log);
    EXPECT_EQ(chooseWindow(parse({"-question", "q", "-wait", "OK", "t"}).options), WindowKind::Message);
    // The last text source wins: here the log file name.
    EXPECT_EQ(*parse({"-message", "OK", "t", "-log", "x", "f"}).options.textSource, "f");
}

TEST(CommandLine, InputAndBothRules) {
    EXPECT_TRUE(parse({"-question", "q", "-Input"}).options.input);
    EXPECT_TRUE(parse({"-question", "q", "-Input"}).options.inputSpace);
    // both needs a list and a field
    EXPECT_FALSE(parse({"-question", "q", "-choice", "a", "", "-both"}).options.both);
    EXPECT_FALSE(parse({"-question", "q", "-input", "-both"}).options.both);
    EXPECT_TRUE(parse({"-question", "q", "-input", "-choice", "a", "", "-both"}).options.both);
    EXPECT_TRUE(parse({"-input", "-wait", "OK", "t", "-both"}).options.both);
}

TEST(CommandLine, NumbersWithFallbacks) {
    // -lines  -columns  list lines  list columns  log lines  log columns
    struct Row { const char* lines; const char* columns; int listLines, listColumns, logLines, logColumns; };
    const Row rows[] = {
        {"10", "0", 10, 1, 25, 80},
        {"0", "3", 15, 3, 25, 80},
        {"5", "41", 5, 41, 25, 41},
        {"40", "40", 40, 40, 40, 80},
        {"11", "-2", 11, 1, 11, 80},
    };
    for (const Row& row : rows) {
        const ParseResult r = parse({"-question", "q", "-lines", row.lines, "-columns", row.columns});
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.options.listLines(), row.listLines) << row.lines;
        EXPECT_EQ(r.options.listColumns(), row.listColumns) << row.columns;
        EXPECT_EQ(r.options.logLines(), row.logLines) << row.lines;
        EXPECT_EQ(r.options.logColumns(), row.logColumns) << row.columns;
    }
}

TEST(CommandLine, HelpTextFromFileOrLiteral) {
    char path[] = "/tmp/xpicker_help_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    const char content[] = "from a file\\n kept\n";
    ASSERT_EQ(write(fd, content, sizeof content - 1), static_cast<ssize_t>(sizeof content - 1));
    close(fd);
    EXPECT_EQ(parse({"-question", "q", "-help", "Help", "Close", path}).options.helpText, content);
    EXPECT_EQ(parse({"-question", "q", "-help", "Help", "Close", "one\\ntwo"}).options.helpText, "one\ntwo");
    EXPECT_EQ(parse({"-question", "q", "-help", "Help", "Close", "/"}).options.helpText, "/");
    std::remove(path);
}

// Command line of xpicker: the settings a script passes and how they are read.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace xpicker {

// One entry of the choice list: the label is shown, the value is printed.
struct Choice {
    std::string label;
    std::string value;
};

struct Options {
    std::string displayName = ":0.0";
    std::string title;
    std::optional<std::string> geometry;
    std::optional<std::string> columnsText;
    std::string linesText = "10";
    std::optional<std::string> question;
    std::vector<Choice> choices;
    std::optional<std::string> defaultChoice;
    std::string okLabel = "OK";
    std::optional<std::string> cancelLabel;
    std::string cancelAnswer;
    std::optional<std::string> helpLabel;
    std::string helpButtonLabel = "OK";
    std::string helpText;  // already resolved from text-or-file
    std::optional<std::string> errorLabel;
    std::optional<std::string> messageLabel;
    std::optional<std::string> waitLabel;
    bool logMarker = false;
    bool tailMarker = false;
    std::optional<std::string> textSource;  // raw argument: a file name or a text
    bool input = false;
    bool inputSpace = false;
    std::string deny;
    bool both = false;
    bool noReturn = false;

    bool isMessageKind() const { return errorLabel || messageLabel || waitLabel; }
    bool wantsWait() const { return waitLabel.has_value(); }
    // Number of list columns (choice dialog), at least 1.
    int listColumns() const;
    // Visible list rows (choice dialog).
    int listLines() const;
    // Visible text rows and characters per row of the log window.
    int logLines() const;
    int logColumns() const;
};

enum class WindowKind { Choice, Message, Log };
WindowKind chooseWindow(const Options& o);

// Exit statuses of the program.
enum ExitStatus {
    kExitAnswered = 0,
    kExitBadArguments = 1,  // also: no memory, toolkit cannot start
    kExitUnknownOrNoMode = 2,
    kExitCancel = 3,
};

struct ParseResult {
    bool ok = false;
    int exitStatus = kExitAnswered;  // meaningful when !ok
    Options options;
};

// Reads argv (argv[0] is the program path). envDisplay is $DISPLAY or null.
// Text-or-file arguments of -help are resolved here; the message text is
// resolved by the caller (it also names the log file).
ParseResult parseCommandLine(int argc, const char* const* argv, const char* envDisplay);

}  // namespace xpicker

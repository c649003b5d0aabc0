#include "options.h"

#include <cstdlib>
#include <cstring>

#include "text_util.h"

namespace xpicker {

namespace {

using Handler = void (*)(Options&, const char* const* args);

struct OptionRow {
    const char* name;
    int argumentCount;
    Handler apply;
};

void setLabelAndSource(std::optional<std::string>& label, Options& o, const char* const* a) {
    label = a[0];
    o.textSource = a[1];
}

// name          args  effect
const OptionRow kOptionTable[] = {
    {"-display",   1, [](Options& o, const char* const* a) { o.displayName = a[0]; }},
    {"-columns",   1, [](Options& o, const char* const* a) { o.columnsText = a[0]; }},
    {"-lines",     1, [](Options& o, const char* const* a) { o.linesText = a[0]; }},
    {"-geometry",  1, [](Options& o, const char* const* a) { o.geometry = a[0]; }},
    {"-title",     1, [](Options& o, const char* const* a) { o.title = a[0]; }},
    {"-help",      3, [](Options& o, const char* const* a) {
                          o.helpLabel = a[0];
                          o.helpButtonLabel = a[1];
                          o.helpText = readTextOrFile(a[2]);
                      }},
    {"-cancel",    2, [](Options& o, const char* const* a) { o.cancelLabel = a[0]; o.cancelAnswer = a[1]; }},
    {"-ok",        1, [](Options& o, const char* const* a) { o.okLabel = a[0]; }},
    {"-question",  1, [](Options& o, const char* const* a) { o.question = a[0]; }},
    {"-choice",    2, [](Options& o, const char* const* a) {
                          o.choices.push_back({a[0], a[1][0] ? a[1] : a[0]});
                      }},
    {"-defChoice", 1, [](Options& o, const char* const* a) { o.defaultChoice = a[0]; }},
    {"-error",     2, [](Options& o, const char* const* a) { setLabelAndSource(o.errorLabel, o, a); }},
    {"-message",   2, [](Options& o, const char* const* a) { setLabelAndSource(o.messageLabel, o, a); }},
    {"-wait",      2, [](Options& o, const char* const* a) { setLabelAndSource(o.waitLabel, o, a); }},
    {"-input",     0, [](Options& o, const char* const*) { o.input = true; }},
    {"-Input",     0, [](Options& o, const char* const*) { o.inputSpace = true; }},
    {"-deny",      1, [](Options& o, const char* const* a) { o.deny = a[0]; }},
    {"-both",      0, [](Options& o, const char* const*) { o.both = true; }},
    {"-noReturn",  0, [](Options& o, const char* const*) { o.noReturn = true; }},
    {"-log",       2, [](Options& o, const char* const* a) { o.logMarker = true; o.textSource = a[1]; }},
    {"-tail",      2, [](Options& o, const char* const* a) { o.tailMarker = true; o.textSource = a[1]; }},
};

const OptionRow* findOption(const char* name) {
    for (const OptionRow& row : kOptionTable)
        if (std::strcmp(row.name, name) == 0) return &row;
    return nullptr;
}

std::string programName(const char* argv0) {
    if (!argv0) return "xpicker";
    const char* slash = std::strrchr(argv0, '/');
    return slash ? slash + 1 : argv0;
}

// Rules that follow from the combination of options.
void settle(Options& o) {
    if (o.inputSpace) o.input = true;
    if (o.tailMarker) o.logMarker = true;
    const bool hasChoices = !o.choices.empty();
    if (hasChoices && !o.input) o.both = false;
    if (o.input && !hasChoices && !o.waitLabel && !o.logMarker) o.both = false;
    o.question = o.question ? expandLineBreaks(*o.question) : std::string("choose:");
}

}  // namespace

int Options::listColumns() const {
    const int n = columnsText ? std::atoi(columnsText->c_str()) : 0;
    return n > 0 ? n : 1;
}

int Options::listLines() const {
    const int n = std::atoi(linesText.c_str());
    return n > 0 ? n : 15;
}

int Options::logLines() const {
    const int n = std::atoi(linesText.c_str());
    return n < 11 ? 25 : n;
}

int Options::logColumns() const {
    const int n = columnsText ? std::atoi(columnsText->c_str()) : 0;
    return n > 40 ? n : 80;
}

WindowKind chooseWindow(const Options& o) {
    if (o.logMarker) return WindowKind::Log;
    return o.isMessageKind() ? WindowKind::Message : WindowKind::Choice;
}

ParseResult parseCommandLine(int argc, const char* const* argv, const char* envDisplay) {
    ParseResult result;
    Options& o = result.options;
    o.title = programName(argc > 0 ? argv[0] : nullptr);
    if (envDisplay) o.displayName = envDisplay;

    bool questionSeen = false;
    for (int i = 1; i < argc;) {
        const OptionRow* row = findOption(argv[i]);
        if (!row) {
            result.exitStatus = kExitUnknownOrNoMode;
            return result;
        }
        if (i + row->argumentCount >= argc) {
            result.exitStatus = kExitBadArguments;
            return result;
        }
        if (std::strcmp(row->name, "-question") == 0) questionSeen = true;
        row->apply(o, argv + i + 1);
        i += 1 + row->argumentCount;
    }

    const bool logOrTail = o.logMarker || o.tailMarker;
    if (!questionSeen && !o.isMessageKind() && !logOrTail) {
        result.exitStatus = kExitUnknownOrNoMode;
        return result;
    }
    settle(o);
    result.ok = true;
    return result;
}

}  // namespace xpicker

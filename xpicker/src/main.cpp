// xpicker: puts one dialog on an X display for a shell script and reports
// the user's answer on standard output and in the exit status.
#include <X11/Shell.h>
#include <X11/StringDefs.h>
#include <X11/Intrinsic.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "app.h"
#include "choice_dialog.h"
#include "log_window.h"
#include "message_window.h"
#include "options.h"
#include "text_util.h"
#include "wait_protocol.h"
#include "x_resources.h"

namespace xpicker {

void finish(int status) {
    std::fflush(stdout);
    std::exit(status);
}

void printAnswer(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

namespace {

// Only the display and the geometry reach the toolkit; the application
// class is the title, so resources can be given per dialog.
void openToolkit(App& app, const char* argv0) {
    const Options& o = app.options;
    std::vector<char*> toolkitArgs{const_cast<char*>(argv0), const_cast<char*>("-display"),
                                   const_cast<char*>(o.displayName.c_str())};
    if (o.geometry) {
        toolkitArgs.push_back(const_cast<char*>("-geometry"));
        toolkitArgs.push_back(const_cast<char*>(o.geometry->c_str()));
    }
    int toolkitArgc = static_cast<int>(toolkitArgs.size());
    toolkitArgs.push_back(nullptr);
    app.shell = XtVaOpenApplication(&app.context, o.title.c_str(), nullptr, 0, &toolkitArgc, toolkitArgs.data(),
                                    nullptr, applicationShellWidgetClass,
                                    XtNmappedWhenManaged, False, XtNinput, True, nullptr);
    if (!app.shell) finish(kExitBadArguments);
    app.display = XtDisplay(app.shell);
}

// A client message ends the program: it is how a later invocation closes
// the wait window.
[[noreturn]] void runEventLoop(App& app) {
    for (;;) {
        XEvent event;
        XtAppNextEvent(app.context, &event);
        if (event.type == ClientMessage) finish(kExitAnswered);
        XtDispatchEvent(&event);
    }
}

template <typename Window>
[[noreturn]] void show(App& app, Window& window) {
    window.build();
    if (runWaitProtocol(app.shell, app.options.wantsWait()) == WaitOutcome::AnotherWaitIsShowing)
        finish(kExitAnswered);
    XtMapWidget(app.shell);
    window.afterMap();
    runEventLoop(app);
}

int run(int argc, char** argv) {
    ParseResult parsed = parseCommandLine(argc, argv, std::getenv("DISPLAY"));
    if (!parsed.ok) return parsed.exitStatus;

    App app;
    app.options = std::move(parsed.options);
    const WindowKind kind = chooseWindow(app.options);
    if (kind == WindowKind::Message) app.messageText = readTextOrFile(app.options.textSource.value_or(""));

    openToolkit(app, argv[0]);
    app.colours = lookupColours(app.shell);
    app.fonts = lookupFonts(app.shell);

    switch (kind) {
        case WindowKind::Choice: {
            ChoiceDialog dialog(app);
            show(app, dialog);
        }
        case WindowKind::Message: {
            MessageWindow window(app);
            show(app, window);
        }
        case WindowKind::Log: {
            LogWindow window(app);
            show(app, window);
        }
    }
    return kExitAnswered;
}

}  // namespace

}  // namespace xpicker

int main(int argc, char** argv) {
    try {
        return xpicker::run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("can't alloc memory\n", stderr);
        return xpicker::kExitBadArguments;
    }
}

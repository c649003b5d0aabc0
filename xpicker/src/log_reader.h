// Reads the log window's file, once or following it as it grows.
//
// A regular file always counts as readable, so it is never handed to the
// toolkit as an input (that would spin the event loop): it is watched with
// inotify instead, with a short timer as fall-back that also notices a
// truncated file. A pipe or terminal is an input until it reaches end of
// file and is then removed.
#pragma once

#include <X11/Intrinsic.h>
#include <sys/types.h>

#include <functional>
#include <string>

#include "unique_fd.h"

namespace xpicker {

class LogReader {
public:
    using Sink = std::function<void(const char* data, size_t length)>;

    LogReader(XtAppContext context, Sink sink) : context_(context), sink_(std::move(sink)) {}
    ~LogReader();
    LogReader(const LogReader&) = delete;
    LogReader& operator=(const LogReader&) = delete;

    // Opens name ("-" is standard input). On failure returns the system
    // error number, else 0.
    int open(const std::string& name);

    // Shows the whole content once. A seekable file is read at once; other
    // input is read as it arrives until its end. onDone runs after the last
    // byte was delivered.
    void readOnce(std::function<void()> onDone);
    // Shows the content and everything appended later.
    void follow();

private:
    enum class Mode { Once, Follow };

    void startStream(Mode mode);
    void startWatchingFile();
    // Reads what is there now, up to a budget; true when the budget ran out.
    bool drainFile();
    bool drainStream(bool& atEnd);
    void deliver(const std::string& data);
    void stopInput();

    static void onStreamReadable(XtPointer self, int* fd, XtInputId* id);
    static void onInotify(XtPointer self, int* fd, XtInputId* id);
    static void onTimer(XtPointer self, XtIntervalId* id);
    static void onContinue(XtPointer self, XtIntervalId* id);

    XtAppContext context_;
    Sink sink_;
    std::string path_;            // path inotify watches
    UniqueFd fd_;
    UniqueFd inotify_;
    bool regular_ = false;
    off_t offset_ = 0;            // bytes of a regular file already shown
    Mode mode_ = Mode::Follow;
    std::function<void()> onDone_;
    XtInputId input_ = 0;
    XtInputId inotifyInput_ = 0;
    XtIntervalId timer_ = 0;
    XtIntervalId continuation_ = 0;
};

}  // namespace xpicker

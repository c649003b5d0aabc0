#include "log_reader.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xpicker {

namespace {

constexpr size_t kReadSize = 64 * 1024;
// Data shown per pass through the event loop, so the window keeps reacting
// while a big file is loaded.
constexpr size_t kPassBudget = 8 * 1024 * 1024;
// Fall-back poll of a followed regular file (truncation, missed events).
constexpr unsigned long kPollMillis = 200;

bool readableNow(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

}  // namespace

LogReader::~LogReader() {
    stopInput();
    if (inotifyInput_) XtRemoveInput(inotifyInput_);
    if (timer_) XtRemoveTimeOut(timer_);
    if (continuation_) XtRemoveTimeOut(continuation_);
}

int LogReader::open(const std::string& name) {
    if (name == "-") {
        fd_ = UniqueFd(STDIN_FILENO, false);
        path_ = "/proc/self/fd/0";
    } else {
        fd_ = UniqueFd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd_) return errno;
        path_ = name;
    }
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    regular_ = S_ISREG(st.st_mode);
    return 0;
}

void LogReader::deliver(const std::string& data) {
    if (!data.empty()) sink_(data.data(), data.size());
}

void LogReader::readOnce(std::function<void()> onDone) {
    const off_t start = ::lseek(fd_.get(), 0, SEEK_CUR);
    const off_t end = start < 0 ? -1 : ::lseek(fd_.get(), 0, SEEK_END);
    if (start < 0 || end < 0 || ::lseek(fd_.get(), start, SEEK_SET) < 0) {
        // Not seekable (a pipe): read it to its end as it arrives.
        onDone_ = std::move(onDone);
        startStream(Mode::Once);
        return;
    }
    std::string data(static_cast<size_t>(end > start ? end - start : 0), '\0');
    size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd_.get(), &data[got], data.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    data.resize(got);
    fd_.reset();
    deliver(data);
    onDone();
}

void LogReader::follow() {
    if (!regular_) {
        startStream(Mode::Follow);
        return;
    }
    offset_ = ::lseek(fd_.get(), 0, SEEK_CUR);
    if (offset_ < 0) offset_ = 0;
    startWatchingFile();
    if (drainFile()) continuation_ = XtAppAddTimeOut(context_, 0, onContinue, this);
}

void LogReader::startWatchingFile() {
    inotify_ = UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (inotify_ && ::inotify_add_watch(inotify_.get(), path_.c_str(), IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE) >= 0)
        inotifyInput_ = XtAppAddInput(context_, inotify_.get(), reinterpret_cast<XtPointer>(XtInputReadMask),
                                      onInotify, this);
    else
        inotify_.reset();
    timer_ = XtAppAddTimeOut(context_, kPollMillis, onTimer, this);
}

bool LogReader::drainFile() {
    struct stat st {};
    if (::fstat(fd_.get(), &st) == 0 && st.st_size < offset_) {
        // Truncated (rotated in place): go on from its new start.
        ::lseek(fd_.get(), 0, SEEK_SET);
        offset_ = 0;
    }
    std::string data;
    char buffer[kReadSize];
    while (data.size() < kPassBudget) {
        const ssize_t n = ::read(fd_.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        data.append(buffer, static_cast<size_t>(n));
    }
    offset_ += static_cast<off_t>(data.size());
    deliver(data);
    return data.size() >= kPassBudget;
}

void LogReader::startStream(Mode mode) {
    mode_ = mode;
    input_ = XtAppAddInput(context_, fd_.get(), reinterpret_cast<XtPointer>(XtInputReadMask),
                           onStreamReadable, this);
}

bool LogReader::drainStream(bool& atEnd) {
    std::string data;
    char buffer[kReadSize];
    atEnd = false;
    do {
        const ssize_t n = ::read(fd_.get(), buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) break;
        if (n <= 0) {
            atEnd = true;
            break;
        }
        data.append(buffer, static_cast<size_t>(n));
    } while (data.size() < kPassBudget && readableNow(fd_.get()));
    deliver(data);
    return !atEnd;
}

void LogReader::stopInput() {
    if (input_) XtRemoveInput(input_);
    input_ = 0;
}

void LogReader::onStreamReadable(XtPointer self, int*, XtInputId*) {
    auto* reader = static_cast<LogReader*>(self);
    bool atEnd = false;
    reader->drainStream(atEnd);
    if (!atEnd) return;
    // End of input: an input left registered would fire without pause.
    reader->stopInput();
    reader->fd_.reset();
    if (reader->mode_ == Mode::Once && reader->onDone_) reader->onDone_();
}

void LogReader::onInotify(XtPointer self, int* fd, XtInputId*) {
    auto* reader = static_cast<LogReader*>(self);
    char events[4096];
    while (::read(*fd, events, sizeof events) > 0) {
    }
    if (!reader->continuation_ && reader->drainFile())
        reader->continuation_ = XtAppAddTimeOut(reader->context_, 0, onContinue, reader);
}

void LogReader::onTimer(XtPointer self, XtIntervalId*) {
    auto* reader = static_cast<LogReader*>(self);
    reader->timer_ = XtAppAddTimeOut(reader->context_, kPollMillis, onTimer, reader);
    if (!reader->continuation_ && reader->drainFile())
        reader->continuation_ = XtAppAddTimeOut(reader->context_, 0, onContinue, reader);
}

void LogReader::onContinue(XtPointer self, XtIntervalId*) {
    auto* reader = static_cast<LogReader*>(self);
    reader->continuation_ = 0;
    if (reader->drainFile()) reader->continuation_ = XtAppAddTimeOut(reader->context_, 0, onContinue, reader);
}

}  // namespace xpicker

#include "text_util.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "unique_fd.h"

namespace xpicker {

std::string expandLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

namespace {

// Reads a whole regular or special file; false when it cannot be read.
bool readWholeFile(const std::string& name, std::string& content) {
    UniqueFd fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) return false;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) return false;
        if (n == 0) return true;
        content.append(buffer, static_cast<size_t>(n));
    }
}

}  // namespace

std::string readTextOrFile(const std::string& arg) {
    std::string content;
    if (!arg.empty() && readWholeFile(arg, content)) return content;
    return expandLineBreaks(arg);
}

std::string withoutLeadingBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\n\r\f\v");
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool containsAnyOf(const std::string& text, const std::string& characters) {
    return !characters.empty() && text.find_first_of(characters) != std::string::npos;
}

}  // namespace xpicker

#include "answer.h"

#include "text_util.h"

namespace xpicker {

namespace {

OkOutcome refused() { return OkOutcome{true, false, {}}; }
OkOutcome nothing() { return OkOutcome{}; }
OkOutcome print(std::string line) { return OkOutcome{false, true, std::move(line)}; }

}  // namespace

OkOutcome decideOk(const OkContext& c) {
    if (c.noReturn) return nothing();
    if (!c.hasList && !c.hasInput) return nothing();

    const std::string text = c.hasInput ? withoutLeadingBlanks(c.typedText) : std::string();
    if (c.hasInput && containsAnyOf(text, c.denied)) return refused();

    if (c.both) {
        if (text.empty() || !c.selectedValue) return refused();
        return print(*c.selectedValue + " " + text);
    }
    if (!text.empty()) return print(text);
    if (!c.hasList || !c.selectedValue) return refused();
    return print(*c.selectedValue);
}

OkOutcome decideCancel(const std::string& cancelAnswer) {
    if (cancelAnswer.empty()) return nothing();
    return print(cancelAnswer);
}

}  // namespace xpicker

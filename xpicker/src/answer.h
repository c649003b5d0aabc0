// What pressing OK means: the line printed and the exit, or a refusal.
#pragma once

#include <string>

namespace xpicker {

struct OkContext {
    bool noReturn = false;
    bool hasList = false;
    bool hasInput = false;
    bool both = false;
    std::string typedText;        // as typed, leading blanks included
    const std::string* selectedValue = nullptr;  // null when nothing is selected
    std::string denied;           // characters that refuse an input answer
};

struct OkOutcome {
    bool refused = false;   // ring the bell and keep the dialog
    bool printLine = false;
    std::string line;       // printed with a newline when printLine
};

OkOutcome decideOk(const OkContext& context);

// Text printed by Cancel (nothing when the answer is empty).
OkOutcome decideCancel(const std::string& cancelAnswer);

}  // namespace xpicker

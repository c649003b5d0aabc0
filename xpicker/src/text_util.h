// Small text helpers shared by the command line and the windows.
#pragma once

#include <string>
#include <vector>

namespace xpicker {

// Turns each backslash + "n" into a line break.
std::string expandLineBreaks(const std::string& text);

// The whole content of the file named by arg when it can be opened and read,
// otherwise arg itself with its backslash + "n" sequences turned into breaks.
std::string readTextOrFile(const std::string& arg);

// The text without its leading white space (blanks, tabs, line breaks).
std::string withoutLeadingBlanks(const std::string& text);

// Lines of a text split at line breaks (an empty text is one empty line).
std::vector<std::string> splitLines(const std::string& text);

bool containsAnyOf(const std::string& text, const std::string& characters);

}  // namespace xpicker

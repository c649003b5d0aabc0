// Keeping report text readable by an XML parser: characters XML 1.0 forbids
// and bytes the code page does not define are replaced by '?'.
#pragma once
#include <cstdint>
#include <string>

namespace nsx {

// Control characters other than tab, CR and LF, bytes the ANSI code page
// leaves undefined, and broken double-byte sequences become '?'.
std::string SanitizeAnsiText(const std::string& text, std::uint32_t codePage);

// The label of the XML declaration for the system's default language and
// ANSI code page: the language's label where it names the code page's
// character set, else the code page's own.
std::string EncodingLabel(std::uint16_t langId, std::uint32_t codePage);

}  // namespace nsx

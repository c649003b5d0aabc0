// Rendering of a registry value's bytes as text.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "../platform/Registry.h"
#include "../platform/WinTypes.h"

namespace nsx {

// How each value type reads as text: strings as they are (REG_EXPAND_SZ
// through `expand`), DWORDs as signed decimals, multi-strings with CR LF
// between items, other data as "01 0A FF" or, with `binaryAsText`, as text.
std::string RenderRegistryValue(
    std::uint32_t type, const platform::Bytes& data, bool binaryAsText,
    const std::function<std::optional<std::string>(const std::string&)>& expand);

// The multi-string rendering: each NUL becomes CR LF unless the text already
// ends in LF; the list ends at a double NUL or at the end of the data, and a
// final CR LF is dropped only when this routine added it.
std::string MultiStringBytesAsText(const platform::Bytes& data);

// Each byte as two upper-case hexadecimal digits, separated by blanks.
std::string BytesAsHex(const platform::Bytes& data);

// A value of any type as text: strings as stored (not expanded), numbers in
// decimal, multi-strings and binary data as the characters they hold.
// nullopt when the value cannot be read.
std::optional<std::string> ReadValueAsText(const platform::RegKey& key, const std::string& name);

}  // namespace nsx

// Conversions between a Windows ANSI code page and UTF-16/UTF-8 for the
// simulated machine, with the replacement behaviour of WideCharToMultiByte
// (a character the code page lacks becomes '?').
#pragma once
#include <cstdint>
#include <string>

namespace nsx::sim {

// The iconv name of a Windows code page ("CP1252", "CP936", ...).
std::string IconvName(std::uint32_t codePage);

std::u16string AnsiToUtf16(const std::string& text, std::uint32_t codePage);
std::string Utf16ToAnsi(const std::u16string& text, std::uint32_t codePage);
std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);
std::string Utf8ToAnsi(const std::string& text, std::uint32_t codePage);

}  // namespace nsx::sim

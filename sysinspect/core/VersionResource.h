// Decoding of a file's version resource block (VS_VERSIONINFO), in both the
// 32-bit layout (UTF-16 keys and texts) and the 16-bit layout (ANSI).
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../platform/WinTypes.h"

namespace nsx {

struct VersionNode {
  std::u16string key;
  platform::Bytes value;  // raw value bytes
  bool textValue = false; // value is text (UTF-16 in the 32-bit layout, ANSI in the 16-bit one)
  std::vector<VersionNode> children;
};

struct VersionBlock {
  bool wide = true;  // 32-bit layout
  VersionNode root;
};

struct FixedFileVersion {
  std::uint32_t fileVersionMS = 0;
  std::uint32_t fileVersionLS = 0;
};

// Parses the block; nullopt when it is not a version resource. Every length
// is checked against the buffer and against the enclosing node.
std::optional<VersionBlock> ParseVersionBlock(const platform::Bytes& data);

// VerQueryValue "\": the fixed information, when present and signed.
std::optional<FixedFileVersion> QueryFixedFileInfo(const VersionBlock& block);
// VerQueryValue "\VarFileInfo\Translation": the first 32-bit entry.
std::optional<std::uint32_t> QueryFirstTranslation(const VersionBlock& block);
// VerQueryValue "\StringFileInfo\<table>\<name>" as ANSI text; `toAnsi`
// converts the 32-bit layout's UTF-16 texts.
std::optional<std::string> QueryVersionString(const VersionBlock& block, const std::string& table,
                                              const std::string& name,
                                              const std::function<std::string(const std::u16string&)>& toAnsi);

// "040904B0" from the translation entry 0x04B00409 (language first).
std::string TranslationKey(std::uint32_t translation);

}  // namespace nsx

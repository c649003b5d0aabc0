#include "RegistryText.h"

#include <cstdio>

namespace nsx {
namespace {

std::string TextUpToNul(const platform::Bytes& data) {
  std::string text;
  for (auto byte : data) {
    if (byte == 0) break;
    text += static_cast<char>(byte);
  }
  return text;
}

std::int32_t Int32(const platform::Bytes& data, bool bigEndian) {
  std::uint8_t b[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < 4 && i < data.size(); ++i) b[i] = data[i];
  std::uint32_t value = bigEndian ? (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) |
                                        (std::uint32_t(b[2]) << 8) | b[3]
                                  : std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) |
                                        (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
  return static_cast<std::int32_t>(value);
}

std::string DropLast(std::string text, size_t count) {
  text.resize(text.size() > count ? text.size() - count : 0);
  return text;
}

}  // namespace

std::string MultiStringBytesAsText(const platform::Bytes& data) {
  // Items end at a NUL; a second NUL in a row ends the list (what follows is
  // not part of it). The last item need not end in a NUL at all: data written
  // without one is common. Only a separator this routine added is dropped.
  std::string text;
  bool separatorAdded = false;
  bool previousWasNul = false;
  for (auto byte : data) {
    if (byte != 0) {
      text += static_cast<char>(byte);
      separatorAdded = false;
      previousWasNul = false;
      continue;
    }
    if (previousWasNul) break;
    previousWasNul = true;
    separatorAdded = text.empty() || text.back() != '\n';
    if (separatorAdded) text += "\r\n";
  }
  return separatorAdded ? DropLast(text, 2) : text;
}

std::string BytesAsHex(const platform::Bytes& data) {
  std::string text;
  char pair[4];
  for (auto byte : data) {
    std::snprintf(pair, sizeof pair, "%02X ", byte);
    text += pair;
  }
  return DropLast(text, 1);
}

std::string RenderRegistryValue(
    std::uint32_t type, const platform::Bytes& data, bool binaryAsText,
    const std::function<std::optional<std::string>(const std::string&)>& expand) {
  switch (type) {
    case platform::kRegSz:
      return TextUpToNul(data);
    case platform::kRegExpandSz: {
      std::string text = TextUpToNul(data);
      auto expanded = expand ? expand(text) : std::nullopt;
      return expanded ? *expanded : text;
    }
    case platform::kRegDword:
    case platform::kRegDwordBigEndian:
      return std::to_string(Int32(data, type == platform::kRegDwordBigEndian));
    case platform::kRegMultiSz:
      return MultiStringBytesAsText(data);
    default:
      return binaryAsText ? MultiStringBytesAsText(data) : BytesAsHex(data);
  }
}

std::optional<std::string> ReadValueAsText(const platform::RegKey& key, const std::string& name) {
  auto value = key.Value(name);
  if (!value) return std::nullopt;
  return RenderRegistryValue(value->type, value->data, true, {});
}

}  // namespace nsx

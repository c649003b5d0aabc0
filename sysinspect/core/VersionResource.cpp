#include "VersionResource.h"

#include <algorithm>
#include <cstdio>

namespace nsx {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BDu;
constexpr int kMaxDepth = 8;

std::uint16_t U16(const platform::Bytes& d, size_t o) { return static_cast<std::uint16_t>(d[o] | (d[o + 1] << 8)); }
std::uint32_t U32(const platform::Bytes& d, size_t o) { return U16(d, o) | (std::uint32_t(U16(d, o + 2)) << 16); }
size_t Align4(size_t offset) { return (offset + 3) & ~size_t(3); }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameKey(const std::u16string& key, const std::string& name) {
  if (key.size() != name.size()) return false;
  for (size_t i = 0; i < key.size(); ++i)
    if (Lower(key[i]) != Lower(static_cast<char16_t>(static_cast<unsigned char>(name[i])))) return false;
  return true;
}

// Parses the node at `offset`, which must end by `limit`; returns false on a
// malformed node.
bool ParseNode(const platform::Bytes& d, size_t offset, size_t limit, bool wide, int depth, VersionNode& node,
               size_t* end) {
  if (depth > kMaxDepth || offset + (wide ? 6 : 4) > limit) return false;
  size_t length = U16(d, offset);
  size_t valueLength = U16(d, offset + 2);
  if (length < (wide ? 6u : 4u) || offset + length > limit) return false;
  size_t nodeEnd = offset + length;
  size_t pos = offset + (wide ? 6 : 4);
  if (wide) {
    node.textValue = U16(d, offset + 4) == 1;
    while (true) {
      if (pos + 2 > nodeEnd) return false;
      char16_t c = U16(d, pos);
      pos += 2;
      if (c == 0) break;
      node.key += c;
    }
  } else {
    while (true) {
      if (pos >= nodeEnd) return false;
      char c = static_cast<char>(d[pos++]);
      if (c == 0) break;
      node.key += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
  }
  pos = Align4(pos);
  size_t valueBytes = wide && node.textValue ? valueLength * 2 : valueLength;
  if (pos > nodeEnd) pos = nodeEnd;
  if (valueBytes > nodeEnd - pos) valueBytes = nodeEnd - pos;
  node.value.assign(d.begin() + static_cast<std::ptrdiff_t>(pos),
                    d.begin() + static_cast<std::ptrdiff_t>(pos + valueBytes));
  if (!wide) node.textValue = depth >= 3;  // 16-bit strings sit three levels down
  pos = Align4(pos + valueBytes);
  while (pos + (wide ? 6 : 4) <= nodeEnd) {
    VersionNode child;
    size_t childEnd = 0;
    if (!ParseNode(d, pos, nodeEnd, wide, depth + 1, child, &childEnd)) break;
    node.children.push_back(std::move(child));
    pos = Align4(childEnd);
  }
  *end = nodeEnd;
  return true;
}

const VersionNode* Child(const VersionNode& node, const std::string& name) {
  for (const auto& child : node.children)
    if (SameKey(child.key, name)) return &child;
  return nullptr;
}

}  // namespace

std::optional<VersionBlock> ParseVersionBlock(const platform::Bytes& data) {
  static const char kKey[] = "VS_VERSION_INFO";
  if (data.size() < 6) return std::nullopt;
  VersionBlock block;
  // The 16-bit layout has its ANSI key right after the two lengths.
  block.wide = !(data.size() >= 4 + sizeof kKey && std::equal(kKey, kKey + sizeof kKey, data.begin() + 4));
  size_t end = 0;
  size_t limit = std::min<size_t>(data.size(), U16(data, 0));
  if (!ParseNode(data, 0, limit, block.wide, 0, block.root, &end)) return std::nullopt;
  if (!SameKey(block.root.key, kKey)) return std::nullopt;
  return block;
}

std::optional<FixedFileVersion> QueryFixedFileInfo(const VersionBlock& block) {
  const auto& v = block.root.value;
  if (v.size() < 52 || U32(v, 0) != kFixedSignature) return std::nullopt;
  return FixedFileVersion{U32(v, 8), U32(v, 12)};
}

std::optional<std::uint32_t> QueryFirstTranslation(const VersionBlock& block) {
  const VersionNode* var = Child(block.root, "VarFileInfo");
  const VersionNode* translation = var ? Child(*var, "Translation") : nullptr;
  if (!translation || translation->value.size() < 4) return std::nullopt;
  return U32(translation->value, 0);
}

std::optional<std::string> QueryVersionString(const VersionBlock& block, const std::string& table,
                                              const std::string& name,
                                              const std::function<std::string(const std::u16string&)>& toAnsi) {
  const VersionNode* info = Child(block.root, "StringFileInfo");
  const VersionNode* strings = info ? Child(*info, table) : nullptr;
  const VersionNode* entry = strings ? Child(*strings, name) : nullptr;
  if (!entry) return std::nullopt;
  const auto& v = entry->value;
  if (block.wide) {
    std::u16string text;
    for (size_t i = 0; i + 1 < v.size(); i += 2) {
      char16_t c = U16(v, i);
      if (c == 0) break;
      text += c;
    }
    return toAnsi(text);
  }
  std::string text;
  for (auto byte : v) {
    if (byte == 0) break;
    text += static_cast<char>(byte);
  }
  return text;
}

std::string TranslationKey(std::uint32_t translation) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X%04X", translation & 0xFFFFu, translation >> 16);
  return text;
}

}  // namespace nsx

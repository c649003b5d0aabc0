#include "InventoryXml.h"

#include "../core/AnsiText.h"
#include "../core/NSX_Common.h"
#include "../core/Norvik_Routines.h"

namespace nsx::inventory {

std::string XmlText(const std::string& text, std::uint32_t codePage) {
  // The escaping adds only ASCII, so sanitising first leaves the entities whole.
  return EscapeXML(SanitizeAnsiText(text, codePage));
}

TEntry::TEntry(TInventoryXml& xml, const TSection& section) : xml_(xml), name_(section.name) {
  xml_.checksumBits_ |= section.checksumBit;
  xml_.text_ += std::string("<") + name_ + ">\n";
}

TEntry::~TEntry() { xml_.text_ += std::string("</") + name_ + ">\n"; }

void TEntry::Text(const char* field, const std::string& value) {
  std::string text = Trim(value);
  if (text.empty()) return;
  xml_.text_ += std::string("<") + field + ">" + XmlText(text, xml_.codePage_) + "</" + field + ">\n";
}

void TEntry::Integer(const char* field, std::int64_t value) {
  xml_.text_ += std::string("<") + field + ">" + std::to_string(value) + "</" + field + ">\n";
}

}  // namespace nsx::inventory

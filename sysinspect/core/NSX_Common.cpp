#include "NSX_Common.h"

#include <cstdio>
#include <memory>

#include "AnsiText.h"
#include "Runtime.h"

namespace nsx {

const char kComponentName[] = "Norvik System Information Component";
const char kComponentVersion[] = "8.2";
const char kCopyright[] = "Copyright (C) 2026 The sysinspect developers";

TReportList::TReportList() : codePage_(IsStarted() ? Sys().GetAnsiCodePage() : 1252) {}

void TReportList::Add(const std::string& line) { lines_.push_back(SanitizeAnsiText(line, codePage_)); }

std::string TReportList::Text() const {
  std::string text;
  for (const auto& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool TReportList::SaveToFile(const std::string& path) const {
  // C streams: the program carries no iostream machinery for one write.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  std::string text = Text();
  bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  return std::fclose(file.release()) == 0 && written;
}

std::string EscapeXML(const std::string& text) {
  // One pass: each special character becomes its entity, so that no entity
  // made here is escaped again.
  struct Entity {
    char c;
    const char* entity;
  };
  static const Entity kEntities[] = {
      // char  entity
      {'&', "&amp;"}, {'"', "&quot;"}, {'\'', "&apos;"}, {'>', "&gt;"}, {'<', "&lt;"},
  };
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    const char* entity = nullptr;
    for (const auto& e : kEntities)
      if (c == e.c) entity = e.entity;
    if (entity)
      result += entity;
    else
      result += c;
  }
  return result;
}

void WriteReportHeader(TReportList& list) {
  auto& sys = Sys();
  const auto& os = OSInfo();
  list.Add("<?xml version=\"1.0\" encoding=\"" + EncodingLabel(sys.GetSystemDefaultLangId(), sys.GetAnsiCodePage()) +
           "\" standalone=\"yes\"?>");
  list.Add(std::string("<classes componentname=\"") + EscapeXML(kComponentName) + "\" version=\"" +
           kComponentVersion + "\" copyright=\"" + kCopyright + "\" os=\"" + EscapeXML(os.OSDisplayName) + " (" +
           std::to_string(os.OSMajorVersion) + "." + std::to_string(os.OSMinorVersion) + "." +
           std::to_string(os.OSBuildNumber) + ")\" machine=\"" + EscapeXML(os.MachineName) + "\">");
}

void WriteReportFooter(TReportList& list) { list.Add("</classes>"); }

void WriteStringsData(const TStringList& strings, const std::string& countName, const std::string& itemName,
                      TReportList& list) {
  if (!countName.empty())
    list.Add("<data name=\"" + EscapeXML(countName) + "\" type=\"integer\">" + std::to_string(strings.size()) +
             "</data>");
  for (size_t k = 0; k < strings.size(); ++k)
    list.Add("<data name=\"" + EscapeXML(itemName) + "[" + std::to_string(k) + "]\" type=\"string\">" +
             EscapeXML(strings[k]) + "</data>");
}

void WriteElementStart(TReportList& list, const std::string& element, const std::string& className) {
  list.Add("<" + element + " classname=\"" + EscapeXML(className) + "\">");
}

void WriteElementEnd(TReportList& list, const std::string& element) { list.Add("</" + element + ">"); }

void WriteSectionStart(TReportList& list, const std::string& name) {
  list.Add("<section name=\"" + EscapeXML(name) + "\">");
}

void WriteSectionEnd(TReportList& list) { list.Add("</section>"); }

void WriteData(TReportList& list, const std::string& name, const std::string& type, const std::string& value,
               const std::string& source, const std::string& unit) {
  std::string line = "<data name=\"" + EscapeXML(name) + "\" type=\"" + type + "\"";
  if (!source.empty()) line += " source=\"" + EscapeXML(source) + "\"";
  if (!unit.empty()) line += " unit=\"" + unit + "\"";
  list.Add(line + ">" + EscapeXML(value) + "</data>");
}

void WriteString(TReportList& list, const std::string& name, const std::string& value, const std::string& source,
                 const std::string& unit) {
  WriteData(list, name, "string", value, source, unit);
}

void WriteInteger(TReportList& list, const std::string& name, std::int64_t value, const std::string& source,
                  const std::string& unit) {
  // Values pass through a signed 32-bit format item.
  WriteData(list, name, "integer", std::to_string(static_cast<std::int32_t>(value)), source, unit);
}

void WriteBoolean(TReportList& list, const std::string& name, bool value, const std::string& source) {
  WriteData(list, name, "boolean", value ? "1" : "0", source);
}

std::string FormatFloat1(double value, const std::string& decimalSeparator) {
  char text[64];
  std::snprintf(text, sizeof text, "%1.1f", value);
  std::string result = text;
  auto dot = result.find('.');
  if (dot != std::string::npos) result.replace(dot, 1, decimalSeparator);
  return result;
}

std::string FormatHexRange(std::uint16_t from, std::uint16_t to) {
  char text[32];
  std::snprintf(text, sizeof text, "%04X - %04X", from, to);
  return text;
}

void GuardCall(const std::string& context, TExceptionMode mode, const std::function<void()>& operation) {
  try {
    operation();
  } catch (const std::exception& error) {
    std::string text = context + ": " + error.what();
    if (mode == emRaise) throw Exception(text);
    if (mode == emMessage) {
      auto& ui = Machine().UserInterface();
      if (ui.IsConsoleProcess())
        ui.WriteConsoleLine(text);
      else
        ui.ShowErrorBox(text, "Error");
    }
  }
}

}  // namespace nsx

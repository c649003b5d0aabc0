// The report document and its writers, the exception modes and the guarded
// call that runs a gathering step under one.
#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Norvik_Routines.h"

namespace nsx {

extern const char kComponentName[];
extern const char kComponentVersion[];
extern const char kCopyright[];

// The base class of every error raised while gathering.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum TExceptionMode { emRaise = 0, emMessage = 1, emSilent = 2 };

// The ordered list of lines a report is written into. Every line passes one
// filter on its way in: characters XML forbids and bytes the code page does
// not define become '?', so whatever the machine holds, the document parses.
class TReportList {
 public:
  TReportList();  // the running machine's ANSI code page (1252 when none)
  explicit TReportList(std::uint32_t codePage) : codePage_(codePage) {}

  void Add(const std::string& line);
  void Clear() { lines_.clear(); }
  size_t Count() const { return lines_.size(); }
  const std::vector<std::string>& Lines() const { return lines_; }
  const std::string& operator[](size_t i) const { return lines_[i]; }

  // Every line followed by CR LF, bytes as held.
  std::string Text() const;
  // Writes Text() to the file; false when the file cannot be written.
  bool SaveToFile(const std::string& path) const;

 private:
  std::uint32_t codePage_;
  std::vector<std::string> lines_;
};

std::string EscapeXML(const std::string& text);
void WriteReportHeader(TReportList& list);
void WriteReportFooter(TReportList& list);
void WriteStringsData(const TStringList& strings, const std::string& countName, const std::string& itemName,
                      TReportList& list);

// Lines inside a topic element. Names and text values are escaped here, the
// one place, so that no value read from the machine can break the document.
void WriteElementStart(TReportList& list, const std::string& element, const std::string& className);
void WriteElementEnd(TReportList& list, const std::string& element);
void WriteSectionStart(TReportList& list, const std::string& name);
void WriteSectionEnd(TReportList& list);
void WriteData(TReportList& list, const std::string& name, const std::string& type, const std::string& value,
               const std::string& source = "", const std::string& unit = "");
void WriteString(TReportList& list, const std::string& name, const std::string& value,
                 const std::string& source = "", const std::string& unit = "");
void WriteInteger(TReportList& list, const std::string& name, std::int64_t value, const std::string& source = "",
                  const std::string& unit = "");
void WriteBoolean(TReportList& list, const std::string& name, bool value, const std::string& source = "");

// "%1.1f" with the given decimal separator.
std::string FormatFloat1(double value, const std::string& decimalSeparator);
// "%4.4x - %4.4x" with upper-case digits.
std::string FormatHexRange(std::uint16_t from, std::uint16_t to);

// A topic object: gathers with its GetInfo and writes its element.
class TTopic {
 public:
  virtual ~TTopic() = default;
  virtual void Report(TReportList& list, bool standalone) = 0;
  virtual std::string ClassName() const = 0;
};

// Runs a gathering operation; an error derived from std::exception (the base
// of every error here) is raised anew with the context, written to the
// console or a message box captioned "Error", or dropped, by mode. Anything
// else propagates unchanged.
void GuardCall(const std::string& context, TExceptionMode mode, const std::function<void()>& operation);

template <class T>
void GuardCall(const std::string& context, TExceptionMode mode, T& object, void (T::*operation)()) {
  GuardCall(context, mode, [&] { (object.*operation)(); });
}

template <class T>
void GuardCall(const std::string& context, TExceptionMode mode, T& object, void (T::*operation)(std::int32_t),
               std::int32_t value) {
  GuardCall(context, mode, [&] { (object.*operation)(value); });
}

template <class T>
void GuardCall(const std::string& context, TExceptionMode mode, T& object,
               void (T::*operation)(std::int32_t, bool), std::int32_t value, bool flag) {
  GuardCall(context, mode, [&] { (object.*operation)(value, flag); });
}

}  // namespace nsx

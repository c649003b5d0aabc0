// The startup topic: everything Windows starts on its own, location by
// location: the run keys of both roots, the boot-time and logon programs,
// the startup folders' shortcuts and the initialisation files' entries.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "../core/NSX_Common.h"

namespace nsx {

// The locations; the ordinal is the kind number of the accessors.
enum TRunKind {
  rkHKCU_Run = 0,
  rkHKLM_Run,
  rkHKLM_Once,
  rkHKCU_Once,
  rkHKLM_OnceEx,
  rkHKCU_OnceEx,
  rkHKLM_Services,
  rkHKLM_ServicesOnce,
  rkHKCU_Services,
  rkHKCU_ServicesOnce,
  rkHKLM_SessionManager,
  rkHKLM_WinLogon,
  rkHKCU_Load,
  rkUserStartup,
  rkCommonStartup,
  rkWIN_INI,
  rkSYSTEM_INI,
};
constexpr int kRunKindCount = 17;

// The report section of a location ("" for a kind outside the range).
std::string RunKindSection(int kind);

// A RunOnceEx value as a command: the first "||" removed, then the first
// remaining "|" made a blank ("||dll|function" is "dll function").
std::string RunOnceExCommand(const std::string& value);

// The entry name of a shortcut file: its name without the ".lnk" ending.
std::string ShortcutEntryName(const std::string& fileName);

class TStartup : public TTopic {
 public:
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TStartup"; }

  // The entries of all locations together.
  std::int32_t RunsCount() const;
  // Per location; a kind or index outside the range gives 0 or "".
  int GetRunCount(int kind) const;
  std::string GetRunName(int kind, int index) const;
  std::string GetRunCommand(int kind, int index) const;

 private:
  struct TRunEntry {
    std::string name;
    std::string command;
  };
  const TRunEntry* Entry(int kind, int index) const;
  void Add(TRunKind kind, const std::string& name, const std::string& command);
  void ReadValueList(TRunKind kind, platform::RegRoot root, const std::string& path);
  void ReadRunOnceEx(TRunKind kind, platform::RegRoot root);
  void ReadBootExecute();
  void ReadLogon();
  void ReadLoad();
  void ReadStartupFolder(TRunKind kind, int csidl);
  void ReadIniEntries(TRunKind kind, const std::string& file, const std::string& section,
                      const std::vector<std::string>& keys);

  std::array<std::vector<TRunEntry>, kRunKindCount> runs_;
};

}  // namespace nsx

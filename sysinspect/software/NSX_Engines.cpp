#include "NSX_Engines.h"

#include <optional>

#include "../core/Runtime.h"

namespace nsx {
namespace {

using platform::DataEnginesApi;
using platform::RegKey;
using platform::RegRoot;

const char kBdeKey[] = "SOFTWARE\\Borland\\Database Engine";
const char kOdbcFileListKey[] = "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList";
const char kBdeLibrary[] = "IDAPI32.DLL";
const char kOdbcLibrary[] = "ODBC32.DLL";
// The DAO engines, newest first: the first one registered answers.
const char* const kDaoProgIds[] = {"DAO.DBEngine.36", "DAO.DBEngine.35", "DAO.DBEngine"};
const char kAdoProgId[] = "adodb.connection";

// `name` in `directory`, with one backslash between them.
std::string InDirectory(const std::string& directory, const std::string& name) {
  if (directory.empty() || directory.back() == '\\') return directory + name;
  return directory + "\\" + name;
}

// The BDE's DLLPATH may list several directories, separated by ";": the
// first that holds the library is used (the first listed when none does).
std::string BdeVersion() {
  auto key = RegKey::Open(Reg(), RegRoot::LocalMachine, kBdeKey);
  if (!key.HasValue("DLLPATH")) return {};
  std::string paths = ReadValueAsText(key, "DLLPATH", false);
  std::string first;
  for (std::size_t from = 0; from <= paths.size();) {
    std::size_t end = paths.find(';', from);
    if (end == std::string::npos) end = paths.size();
    std::string directory = Trim(paths.substr(from, end - from));
    from = end + 1;
    if (directory.empty()) continue;
    std::string library = InDirectory(directory, kBdeLibrary);
    if (Machine().Internet().FileExists(library)) return GetFileVersion(library);
    if (first.empty()) first = library;
  }
  return GetFileVersion(first);
}

// The file ODBC's file list names; without the list, the library in the
// current directory, else in the system directory.
std::string OdbcVersion() {
  auto fileList = RegKey::Open(Reg(), RegRoot::LocalMachine, kOdbcFileListKey);
  if (fileList) {
    if (!fileList.HasValue(kOdbcLibrary)) return {};
    return GetFileVersion(ReadValueAsText(fileList, kOdbcLibrary, false));
  }
  for (const std::string& directory : {Machine().DataEngines().CurrentDirectory(), GetSysDir()}) {
    if (directory.empty()) continue;
    std::string library = InDirectory(directory, kOdbcLibrary);
    if (Machine().Internet().FileExists(library)) return GetFileVersion(library);
  }
  return {};
}

// COM initialised for a scope, and uninitialised after it when the
// initialisation succeeded.
class ComScope {
 public:
  explicit ComScope(DataEnginesApi& com) : com_(com) {
    long result = com.InitializeCom();
    paired_ = result == platform::kComOk || result == platform::kComFalse;
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (paired_) com_.UninitializeCom();
  }

 private:
  DataEnginesApi& com_;
  bool paired_ = false;
};

// An automation object, released when the scope ends.
class HeldObject {
 public:
  HeldObject(DataEnginesApi& com, platform::ComObject object) : com_(com), object_(object) {}
  HeldObject(const HeldObject&) = delete;
  HeldObject& operator=(const HeldObject&) = delete;
  ~HeldObject() {
    if (object_) com_.Release(object_);
  }
  platform::ComObject Get() const { return object_; }

 private:
  DataEnginesApi& com_;
  platform::ComObject object_;
};

// The "Version" of the automation object of a ProgID, made in process (no
// server program is started for it): nullopt without an object, empty
// text when the object cannot tell. The object goes before COM does.
std::optional<std::string> AutomationVersion(const std::string& progId) {
  DataEnginesApi& com = Machine().DataEngines();
  ComScope scope(com);
  HeldObject object(com, com.DispatchObject(progId, platform::kClsctxInprocServer));
  if (!object.Get()) return std::nullopt;
  return com.PropertyText(object.Get(), "Version").value_or("");
}

}  // namespace

void TASPI32::GetInfo() {
  aspi_.clear();
  std::uint32_t status = GetASPIDevices(scan_);
  // The library the program bound, not whichever file a search finds first.
  if (AspiStatusByte(status) == platform::kSsComp) aspi_ = GetFileVersion(Machine().Aspi().LibraryFileName());
}

void TASPI32::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "ASPI32", ClassName());
  if (!aspi_.empty()) {
    WriteString(list, "Version", aspi_);
    for (std::size_t k = 0; k < scan_.Vendors.size(); ++k) {
      WriteSectionStart(list, "Device_" + std::to_string(k));
      WriteString(list, "Vendor", scan_.Vendors[k]);
      WriteString(list, "Product", scan_.Products[k]);
      WriteString(list, "Revision", scan_.Revisions[k]);
      WriteString(list, "Adapter", scan_.HostAdapters[k]);
      WriteString(list, "ID", scan_.Targets[k]);
      WriteString(list, "Type", scan_.DeviceTypes[k]);
      WriteString(list, "Status", scan_.Statuses[k]);
      WriteSectionEnd(list);
    }
  }
  WriteElementEnd(list, "ASPI32");
  if (standalone) WriteReportFooter(list);
}

TEngines::TEngines() : directX_(std::make_unique<TDirectX>()), aspi32_(std::make_unique<TASPI32>()) {}

TEngines::~TEngines() {
  directX_.reset();
  aspi32_.reset();
}

void TEngines::GetInfo() {
  GuardCall(directX_->ClassName() + ".GetInfo", exceptionMode_, *directX_, &TDirectX::GetInfo);
  GuardCall(aspi32_->ClassName() + ".GetInfo", exceptionMode_, *aspi32_, &TASPI32::GetInfo);
  bde_ = BdeVersion();
  odbc_ = OdbcVersion();
  dao_.clear();
  for (const char* progId : kDaoProgIds) {
    if (auto version = AutomationVersion(progId)) {
      dao_ = *version;
      break;
    }
  }
  ado_ = AutomationVersion(kAdoProgId).value_or("");
}

void TEngines::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Engines", ClassName());
  const std::pair<const char*, const std::string*> versions[] = {
      {"ODBC", &odbc_}, {"BDE", &bde_}, {"DAO", &dao_}, {"ADO", &ado_}};
  for (const auto& [name, version] : versions)
    if (!version->empty()) WriteString(list, name, *version);
  WriteElementEnd(list, "Engines");
  directX_->Report(list, false);
  aspi32_->Report(list, false);
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx

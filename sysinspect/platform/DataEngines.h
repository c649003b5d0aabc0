// What the data-access engines need beyond the registry and version
// resources: the current directory, where the ODBC library is looked for
// first, and the late-bound automation objects (DAO, ADO) whose "Version"
// property names their release.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace nsx::platform {

// An automation object's IDispatch pointer; 0 for none.
using ComObject = std::uintptr_t;

// CLSCTX values and the results of CoInitialize that must be paired.
enum : std::uint32_t {
  kClsctxInprocServer = 0x1,
  kClsctxLocalServer = 0x4,
};
enum : long { kComOk = 0, kComFalse = 1 };

class DataEnginesApi {
 public:
  virtual ~DataEnginesApi() = default;
  // GetCurrentDirectoryA; empty when the call fails.
  virtual std::string CurrentDirectory() = 0;
  // CoInitialize(nullptr): its HRESULT. S_OK and S_FALSE are each paired
  // with one UninitializeCom; a failure is not.
  virtual long InitializeCom() = 0;
  virtual void UninitializeCom() = 0;
  // CLSIDFromProgID; the running object of that class (GetActiveObject and
  // QueryInterface for IDispatch), else a new one, CoCreateInstance(class,
  // no outer object, `context`, IID_IDispatch). 0 when neither.
  virtual ComObject DispatchObject(const std::string& progId, std::uint32_t context) = 0;
  // IDispatch::GetIDsOfNames and Invoke(DISPATCH_PROPERTYGET) of the
  // property, changed to text (VariantChangeType to VT_BSTR) in the ANSI
  // code page; nullopt when a step fails.
  virtual std::optional<std::string> PropertyText(ComObject object, const std::string& name) = 0;
  // IUnknown::Release.
  virtual void Release(ComObject object) = 0;
};

}  // namespace nsx::platform

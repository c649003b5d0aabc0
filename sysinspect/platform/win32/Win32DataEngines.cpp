#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <string>

#include "AnsiWide.h"
#include "Win32Engines.h"

namespace nsx::win32 {
namespace {

// A VARIANT cleared however the scope is left.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }
  VARIANT* Get() { return &value_; }

 private:
  VARIANT value_;
};

class Win32DataEngines : public platform::DataEnginesApi {
 public:
  std::string CurrentDirectory() override {
    char buffer[MAX_PATH + 1] = {0};
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
  }

  long InitializeCom() override { return CoInitialize(nullptr); }
  void UninitializeCom() override { CoUninitialize(); }

  platform::ComObject DispatchObject(const std::string& progId, std::uint32_t context) override {
    std::wstring name = AnsiToWide(progId);
    CLSID id{};
    if (name.empty() || FAILED(CLSIDFromProgID(name.c_str(), &id))) return 0;
    IUnknown* running = nullptr;
    if (SUCCEEDED(GetActiveObject(id, nullptr, &running)) && running) {
      IDispatch* dispatch = nullptr;
      HRESULT result = running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
      running->Release();
      if (SUCCEEDED(result) && dispatch) return reinterpret_cast<platform::ComObject>(dispatch);
    }
    IDispatch* created = nullptr;
    if (SUCCEEDED(CoCreateInstance(id, nullptr, context, IID_IDispatch, reinterpret_cast<void**>(&created))) &&
        created)
      return reinterpret_cast<platform::ComObject>(created);
    return 0;
  }

  std::optional<std::string> PropertyText(platform::ComObject object, const std::string& name) override {
    auto* dispatch = reinterpret_cast<IDispatch*>(object);
    std::wstring wide = AnsiToWide(name);
    if (!dispatch || wide.empty()) return std::nullopt;
    LPOLESTR names[1] = {&wide[0]};
    DISPID member = 0;
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member))) return std::nullopt;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    Variant value;
    if (FAILED(dispatch->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.Get(),
                                nullptr, nullptr)))
      return std::nullopt;
    Variant text;
    if (FAILED(VariantChangeType(text.Get(), value.Get(), 0, VT_BSTR))) return std::nullopt;
    BSTR chars = V_BSTR(text.Get());
    return WideToAnsi(chars, chars ? SysStringLen(chars) : 0);
  }

  void Release(platform::ComObject object) override {
    if (object) reinterpret_cast<IUnknown*>(object)->Release();
  }
};

}  // namespace

std::unique_ptr<platform::DataEnginesApi> CreateWin32DataEngines() { return std::make_unique<Win32DataEngines>(); }

}  // namespace nsx::win32

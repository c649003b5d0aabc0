#include <windows.h>

#include <algorithm>

#include "Binding.h"
#include "Win32Hardware.h"
#include "../PeExports.h"

#if defined(__i386__)
// Calls a 16-bit PASCAL function taking one WORD through kernel32's QT_Thunk.
// QT_Thunk wants an EBP frame with 0x40 bytes of scratch space right below
// EBP and the 16-bit arguments right below that; it takes the 16:16 target
// in EDX. The registers the compiler keeps are saved above the frame, where
// the thunk does not write.
extern "C" std::uint32_t nsx_CallQtThunk(void* qtThunk, std::uint32_t entry16, std::uint32_t argument);
asm(".text\n"
    ".globl _nsx_CallQtThunk\n"
    "_nsx_CallQtThunk:\n"
    "  pushl %ebx\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  subl $0x40, %esp\n"
    "  movl 28(%ebp), %ecx\n"
    "  pushw %cx\n"
    "  movl 24(%ebp), %edx\n"
    "  movl 20(%ebp), %eax\n"
    "  call *%eax\n"
    "  movzwl %ax, %eax\n"
    "  movl %ebp, %esp\n"
    "  popl %ebp\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebx\n"
    "  ret\n");
#endif

namespace nsx::win32 {
namespace {

std::uint32_t Clip32(unsigned long long value) {
  return static_cast<std::uint32_t>(std::min<unsigned long long>(value, 0xFFFFFFFFull));
}

// The 16-bit entries exist by ordinal only, and only on the 9x family: on
// NT the same ordinals are other functions, so they are never looked up there.
// Windows 95 to Me refuse kernel32's ordinals to GetProcAddress, so the
// export directory of the loaded kernel32 is read; an export forwarded to
// another module (as Wine's are) is left to GetProcAddress.
FARPROC Kernel32Ordinal(WORD ordinal) {
  if (!(GetVersion() & 0x80000000u)) return nullptr;
  HMODULE kernel = GetModuleHandleA("kernel32");
  if (!kernel) return nullptr;
  const auto* image = reinterpret_cast<const std::uint8_t*>(kernel);
  const std::size_t kHeaderPage = 4096;  // the headers' page, always mapped
  auto entry = platform::FindExportByOrdinal(image, platform::PeImageSize(image, kHeaderPage), ordinal);
  if (entry && !entry->forwarded) return reinterpret_cast<FARPROC>(reinterpret_cast<ULONG_PTR>(image + entry->rva));
  return GetProcAddress(kernel, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(ordinal)));
}

class Win32Memory : public platform::MemoryApi {
 public:
  platform::MemoryStatus GlobalStatus() override {
    MEMORYSTATUS ms;
    ZeroMemory(&ms, sizeof ms);
    ms.dwLength = sizeof ms;
    ::GlobalMemoryStatus(&ms);
    return {ms.dwMemoryLoad,        Clip32(ms.dwTotalPhys),    Clip32(ms.dwAvailPhys),
            Clip32(ms.dwTotalPageFile), Clip32(ms.dwAvailPageFile), Clip32(ms.dwTotalVirtual),
            Clip32(ms.dwAvailVirtual)};
  }

  bool HasGlobalStatusEx() override { return LoadedModuleEntry<FARPROC>("kernel32", "GlobalMemoryStatusEx") != nullptr; }

  std::optional<platform::MemoryStatusEx> GlobalStatusEx() override {
    using StatusEx = BOOL(WINAPI*)(MEMORYSTATUSEX*);
    auto entry = LoadedModuleEntry<StatusEx>("kernel32", "GlobalMemoryStatusEx");
    if (!entry) return std::nullopt;
    MEMORYSTATUSEX ms;
    ZeroMemory(&ms, sizeof ms);
    ms.dwLength = sizeof ms;
    if (!entry(&ms)) return std::nullopt;
    return platform::MemoryStatusEx{ms.dwMemoryLoad,   ms.ullTotalPhys,    ms.ullAvailPhys,
                                    ms.ullTotalPageFile, ms.ullAvailPageFile, ms.ullTotalVirtual,
                                    ms.ullAvailVirtual, ms.ullAvailExtendedVirtual};
  }

  std::optional<platform::PowerStatus> SystemPowerStatus() override {
    SYSTEM_POWER_STATUS ps;
    ZeroMemory(&ps, sizeof ps);
    if (!::GetSystemPowerStatus(&ps)) return std::nullopt;
    return platform::PowerStatus{ps.ACLineStatus,   ps.BatteryFlag,     ps.BatteryLifePercent,
                                 ps.Reserved1,      ps.BatteryLifeTime, ps.BatteryFullLifeTime};
  }

  // The gate is usable only with the three 16-bit module entries beside it;
  // without them there is nothing to ask, which is no error.
  bool HasThunkGate() override {
    return LoadedModuleEntry<FARPROC>("kernel32", "QT_Thunk") && Kernel32Ordinal(35) && Kernel32Ordinal(36) && Kernel32Ordinal(37);
  }

  std::uint32_t LoadModule16(const std::string& name) override {
    using Load16 = WORD(WINAPI*)(LPCSTR);
    auto load = reinterpret_cast<Load16>(reinterpret_cast<void*>(Kernel32Ordinal(35)));
    return load ? load(name.c_str()) : 0;
  }

  void FreeModule16(std::uint32_t module) override {
    using Free16 = void(WINAPI*)(WORD);
    auto release = reinterpret_cast<Free16>(reinterpret_cast<void*>(Kernel32Ordinal(36)));
    if (release) release(static_cast<WORD>(module));
  }

  std::uint32_t FindEntry16(std::uint32_t module, const std::string& name) override {
    using Entry16 = DWORD(WINAPI*)(WORD, LPCSTR);
    auto lookup = reinterpret_cast<Entry16>(reinterpret_cast<void*>(Kernel32Ordinal(37)));
    return lookup ? lookup(static_cast<WORD>(module), name.c_str()) : 0;
  }

  std::uint16_t CallFreeSystemResources(std::uint32_t entry, std::uint16_t which) override {
#if defined(__i386__)
    void* gate = LoadedModuleEntry<void*>("kernel32", "QT_Thunk");
    if (!gate || !entry) return 0;
    return static_cast<std::uint16_t>(nsx_CallQtThunk(gate, entry, which));
#else
    return 0;  // no 16-bit code runs under a 64-bit process
#endif
  }
};

}  // namespace

std::unique_ptr<platform::MemoryApi> CreateWin32Memory() { return std::make_unique<Win32Memory>(); }

}  // namespace nsx::win32

// Makes the Wine tests' fixtures through the system's own interfaces, as
// an installer would: a printer driver and printers through the spooler,
// initialisation-file entries (the default printer among them), shell links
// through the shell-link object, and the path of a special folder.
//
//   fixtures add-driver NAME PPD          a PostScript driver (Wine's wineps.drv) with its PPD file
//   fixtures add-printer NAME PORT DRIVER a printer of that driver on that port
//   fixtures write-profile FILE SECTION KEY VALUE   an initialisation-file entry (WIN.INI's
//                                         [windows] "device" names the default printer)
//   fixtures make-link FILE TARGET ARGS   a shell link to TARGET with ARGS
//   fixtures folder CSIDL                 the special folder's path (created when missing)
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

int Fail(const std::string& what) {
  std::fprintf(stderr, "fixtures: %s failed (error %lu)\n", what.c_str(), GetLastError());
  return 1;
}

std::string SystemFile(const char* name) {
  char dir[MAX_PATH] = {0};
  GetSystemDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

int InstallDriver(const std::string& name, const std::string& ppd) {
  std::string driver = SystemFile("wineps.drv");
  DRIVER_INFO_3A info{};
  info.cVersion = 3;
  info.pName = const_cast<char*>(name.c_str());
  info.pDriverPath = const_cast<char*>(driver.c_str());
  info.pDataFile = const_cast<char*>(ppd.c_str());
  info.pConfigFile = const_cast<char*>(driver.c_str());
  info.pDefaultDataType = const_cast<char*>("RAW");
  if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
    return Fail("AddPrinterDriverEx " + name);
  return 0;
}

int InstallPrinter(const std::string& name, const std::string& port, const std::string& driver) {
  PRINTER_INFO_2A info{};
  info.pPrinterName = const_cast<char*>(name.c_str());
  info.pPortName = const_cast<char*>(port.c_str());
  info.pDriverName = const_cast<char*>(driver.c_str());
  info.pPrintProcessor = const_cast<char*>("WinPrint");
  info.pDatatype = const_cast<char*>("RAW");
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer) return Fail("AddPrinter " + name);
  ClosePrinter(printer);
  return 0;
}

int MakeLink(const std::string& file, const std::string& target, const std::string& arguments) {
  if (FAILED(CoInitialize(nullptr))) return Fail("CoInitialize");
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  wchar_t wide[MAX_PATH] = {0};
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  bool ok = SUCCEEDED(CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA,
                                       reinterpret_cast<void**>(&link))) &&
            SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link->SetArguments(arguments.c_str())) &&
            SUCCEEDED(link->QueryInterface(kIidPersistFile, reinterpret_cast<void**>(&persist))) &&
            SUCCEEDED(persist->Save(wide, TRUE));
  if (persist) persist->Release();
  if (link) link->Release();
  CoUninitialize();
  return ok ? 0 : Fail("saving the link " + file);
}

int PrintFolder(int csidl) {
  char path[MAX_PATH] = {0};
  if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path))) return Fail("SHGetFolderPath");
  std::printf("%s\n", path);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string step = argc > 1 ? argv[1] : "";
  if (step == "add-driver" && argc == 4) return InstallDriver(argv[2], argv[3]);
  if (step == "add-printer" && argc == 5) return InstallPrinter(argv[2], argv[3], argv[4]);
  if (step == "write-profile" && argc == 6)
    return WritePrivateProfileStringA(argv[3], argv[4], argv[5], argv[2]) ? 0 : Fail("WritePrivateProfileString");
  if (step == "make-link" && argc == 5) return MakeLink(argv[2], argv[3], argv[4]);
  if (step == "folder" && argc == 3) return PrintFolder(std::atoi(argv[2]));
  std::fprintf(stderr, "fixtures: unknown step or arguments\n");
  return 2;
}

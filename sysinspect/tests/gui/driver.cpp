// The test driver of sysinspect.exe: uses its windows as a person would,
// through window messages (buttons pressed, tabs clicked, text typed into
// the save dialog), and reads back what they show. One step per run; the
// shell test sequences the steps and takes screenshots between them.
//
//   driver start-captions          the start window's two button captions (UTF-8)
//   driver open-overview           press the first start button, wait for the overview
//   driver tabs                    the overview's tab captions, one a line
//   driver select-tab CAPTION      click the tab whose trimmed caption matches
//   driver dump                    the controls of the page on screen: id <TAB> text
//   driver report all|current FILE Report... -> menu item -> save dialog, typed FILE
//   driver cancel-report           Report... -> All Topics -> Cancel in the save dialog
//   driver refresh                 press Refresh, wait until the window answers again
//   driver press ID                press a button of the page on screen (posted)
//   driver dialog-dump CLASS       the controls of an open dialog of that class
//   driver dialog-close CLASS      press the dialog's OK
//   driver escape                  Escape in the overview
//   driver close-start             press the second start button, wait for the program to end
//   driver show splash|resources|detail|gauges SECONDS   show a window of the program's own code
//   driver combo-items ID          the items of a combo box of the page on screen, one a line
//   driver combo-select ID INDEX   choose an item of that combo box as a click would
//   driver tree                    the tree view of the page on screen: depth <TAB> text, in tree order
//   driver tree-select TEXT        select the tree node with that text (the first in tree order)
//   driver sub-tab ID CAPTION      click the tab of the page's tab strip ID whose trimmed caption matches
//   driver os-version              the release as the shared routines identify it, through
//                                  the version query of a program without the manifest
//   driver free-resources          the free system resources the memory topic reads
//   driver dialog-cancel CLASS     press the dialog's Cancel
//   driver row-images ID           the image index of each row of a list of the page on screen
//   driver aspi                    the ASPI library as the program binds it: bound, support
//                                  information, module file, devices of a scan
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/Norvik_Routines.h"
#include "core/Runtime.h"
#include "hardware/NSX_Memory.h"
#include "software/Norvik_WnASPI32.h"
#include "platform/win32/Win32Platform.h"
#include "ui/ControlIds.h"
#include "ui/Gauges.h"
#include "ui/NSX_DetailDlg.h"
#include "ui/NSX_ResourcesDlg.h"
#include "ui/NSX_Splash.h"

namespace {

using namespace nsx::ui;

int Fail(const std::string& message) {
  std::fprintf(stderr, "driver: %s\n", message.c_str());
  return 1;
}

// Polls until `ready` answers true or the time is up.
bool WaitFor(const std::function<bool()>& ready, int milliseconds) {
  for (int waited = 0; waited <= milliseconds; waited += 50) {
    if (ready()) return true;
    Sleep(50);
  }
  return false;
}

HWND FindVisible(const char* className) {
  HWND found = nullptr;
  WaitFor([&] {
    found = FindWindowA(className, nullptr);
    return found && IsWindowVisible(found);
  }, 0);
  return found && IsWindowVisible(found) ? found : nullptr;
}

HWND WaitVisible(const char* className, int milliseconds) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindVisible(className)) != nullptr; }, milliseconds);
  return found;
}

// Waits until the window's thread handles messages again.
bool WaitResponsive(HWND window, int milliseconds) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, milliseconds, &result) != 0;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::string WindowTextUtf8(HWND window) {
  wchar_t buffer[1024] = {0};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return Utf8(buffer);
}

std::string ClassOf(HWND window) {
  char name[128] = {0};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND ChildById(HWND parent, int id) {
  for (HWND child : Children(parent))
    if (GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

// Memory in the program's process, for the messages whose pointers the
// system does not carry across processes (tab and list items).
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool Ok() const { return address_ != nullptr; }
  char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
  void Write(size_t offset, const void* data, size_t size) {
    WriteProcessMemory(process_, At(offset), data, size, nullptr);
  }
  void Read(size_t offset, void* data, size_t size) const {
    ReadProcessMemory(process_, At(offset), data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

std::string TabCaption(HWND tabs, int index) {
  RemoteBuffer remote(tabs, 1024);
  if (!remote.Ok()) return {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = remote.At(512);
  item.cchTextMax = 256;
  remote.Write(0, &item, sizeof item);
  SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(remote.At(0)));
  char text[257] = {0};
  remote.Read(512, text, 256);
  return text;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.erase(text.begin());
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  return text;
}

std::string ListCell(HWND list, int row, int column) {
  RemoteBuffer remote(list, 2048);
  if (!remote.Ok()) return {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = remote.At(1024);
  item.cchTextMax = 1000;
  remote.Write(0, &item, sizeof item);
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.At(0)));
  char text[1001] = {0};
  remote.Read(1024, text, 1000);
  return text;
}

int ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int n = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  return n > 0 ? n : 1;
}

HWND Overview() { return FindVisible("TfrmNSX_Overview"); }
HWND PageControl(HWND overview) { return GetDlgItem(overview, idPageControl); }

HWND VisibleSheet(HWND overview) {
  for (int page = 0; page < 17; ++page) {
    HWND sheet = GetDlgItem(overview, idPageBase + page);
    if (sheet && IsWindowVisible(sheet)) return sheet;
  }
  return nullptr;
}

// Every control under `parent` that is on screen: id, class, text; a list
// view gives a line per row with its cells joined by " | ".
void DumpControls(HWND parent) {
  for (HWND child : Children(parent)) {
    if (!IsWindowVisible(child)) continue;
    std::string cls = ClassOf(child);
    int id = GetDlgCtrlID(child);
    if (cls == "SysListView32") {
      int rows = static_cast<int>(SendMessageA(child, LVM_GETITEMCOUNT, 0, 0));
      int columns = ColumnCount(child);
      for (int row = 0; row < rows; ++row) {
        std::string line;
        for (int c = 0; c < columns; ++c) line += (c ? " | " : "") + ListCell(child, row, c);
        UINT state = static_cast<UINT>(SendMessageA(child, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
        if (state) line += (state >> 12) == 2 ? " [x]" : " [ ]";
        std::printf("%d\trow\t%s\n", id, line.c_str());
      }
    } else if (cls == "ListBox") {
      int rows = static_cast<int>(SendMessageA(child, LB_GETCOUNT, 0, 0));
      for (int row = 0; row < rows; ++row) {
        // The wide form: Wine carries only the first character of the ANSI one across processes.
        wchar_t text[1024] = {0};
        if (SendMessageW(child, LB_GETTEXTLEN, row, 0) < 1000) SendMessageW(child, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
        std::printf("%d\titem\t%s\n", id, Utf8(text).c_str());
      }
    } else if (cls == "SysTabControl32") {
      int n = static_cast<int>(SendMessageA(child, TCM_GETITEMCOUNT, 0, 0));
      for (int i = 0; i < n; ++i) std::printf("%d\ttab\t%s\n", id, TabCaption(child, i).c_str());
    } else {
      std::string text = WindowTextUtf8(child);
      for (auto& c : text)
        if (c == '\r' || c == '\n') c = ' ';
      std::printf("%d\t%s\t%s\n", id, cls.c_str(), text.c_str());
    }
  }
}

void Press(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

// Clicks the centre of a tab: the control selects it and tells its parent.
bool ClickTab(HWND tabs, int index) {
  RemoteBuffer remote(tabs, sizeof(RECT));
  if (!remote.Ok()) return false;
  if (!SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.At(0)))) return false;
  RECT rect{};
  remote.Read(0, &rect, sizeof rect);
  LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(tabs, WM_LBUTTONUP, 0, at);
  // A sent message overtakes posted ones, so answering is not enough: wait
  // until the click has made the tab the current one.
  if (!WaitResponsive(tabs, 5000)) return false;
  WaitFor([&] { return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) == index; }, 10000);
  return WaitResponsive(tabs, 5000);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus ? info.hwndFocus : window;
}

void PostKey(HWND target, UINT key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

// The save dialog's file-name box (an edit, or the edit of a combo box).
HWND FileNameBox(HWND dialog) {
  for (int id : {0x47c, 0x480}) {
    HWND control = ChildById(dialog, id);
    if (!control || !IsWindowVisible(control)) continue;
    if (ClassOf(control) == "Edit") return control;
    for (HWND inner : Children(control))
      if (ClassOf(inner) == "Edit") return inner;
  }
  return nullptr;
}

HWND OpenSaveDialog(HWND overview, int menuItem) {
  HWND report = GetDlgItem(overview, idReport);
  if (!report || !IsWindowVisible(report)) return nullptr;
  Press(report);
  HWND menu = WaitVisible("#32768", 5000);
  if (!menu) return nullptr;
  // The menu's own keys: down to the item, Return to choose it.
  for (int i = 0; i <= menuItem; ++i) PostKey(menu, VK_DOWN);
  PostKey(menu, VK_RETURN);
  HWND dialog = nullptr;
  WaitFor([&] {
    dialog = FindVisible("#32770");
    return dialog && GetWindow(dialog, GW_OWNER) == overview;
  }, 10000);
  return dialog && GetWindow(dialog, GW_OWNER) == overview ? dialog : nullptr;
}

int Report(const std::string& which, const std::string& file) {
  HWND overview = Overview();
  if (!overview) return Fail("no overview window");
  HWND dialog = OpenSaveDialog(overview, which == "all" ? 0 : 1);
  if (!dialog) return Fail("no save dialog after Report... -> " + which);
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FileNameBox(dialog)) != nullptr; }, 5000)) return Fail("no file name box");
  // The name the window proposes, as it stands in the box.
  char proposed[MAX_PATH] = {0};
  SendMessageA(box, WM_GETTEXT, sizeof proposed, reinterpret_cast<LPARAM>(proposed));
  std::printf("proposed\t%s\n", proposed);
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  Press(GetDlgItem(dialog, IDOK));
  if (!WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000))
    return Fail("the save dialog did not close");
  if (!WaitResponsive(overview, 20000)) return Fail("the overview does not answer after saving");
  return 0;
}

int CancelReport() {
  HWND overview = Overview();
  if (!overview) return Fail("no overview window");
  HWND dialog = OpenSaveDialog(overview, 0);
  if (!dialog) return Fail("no save dialog");
  Press(GetDlgItem(dialog, IDCANCEL));
  if (!WaitFor([&] { return !IsWindow(dialog); }, 10000)) return Fail("the save dialog did not close");
  return WaitResponsive(overview, 10000) ? 0 : Fail("the overview does not answer");
}

// What the machine tells this program, which declares no release in a
// manifest (Windows 8.1 and later answer its version query with 6.2).
int OsVersion() {
  nsx::StartUp(nsx::win32::CreateWin32Platform(true));
  const auto& os = nsx::OSInfo();
  auto version = nsx::Sys().GetVersion();
  std::printf("version\t%u.%u.%u\nproduct\t%u\nnt\t%d\nname\t%s\n", os.OSMajorVersion, os.OSMinorVersion,
              os.OSBuildNumber, static_cast<unsigned>(version.productType), os.IsNT ? 1 : 0,
              os.OSDisplayName.c_str());
  return 0;
}

// The memory topic's free resources: an error is reported, not printed as a
// value.
int FreeResources() {
  nsx::StartUp(nsx::win32::CreateWin32Platform(true));
  try {
    nsx::TMemory memory;
    memory.SetExceptionMode(nsx::emRaise);
    memory.GetInfo();
    const auto& r = memory.Resources();
    std::printf("System\t%d\nGDI\t%d\nUser\t%d\n", r.System(), r.GDI(), r.User());
    return 0;
  } catch (const std::exception& error) {
    return Fail(std::string("free resources: ") + error.what());
  }
}

// The ASPI library the platform bound at start, and what a scan finds.
int Aspi() {
  nsx::StartUp(nsx::win32::CreateWin32Platform(true));
  auto& aspi = nsx::Machine().Aspi();
  nsx::TASPIScanResult scan;
  std::uint32_t support = nsx::GetASPIDevices(scan);
  std::printf("bound\t%d\nsupport\t0x%04X\nfile\t%s\ndevices\t%u\n", aspi.Bound() ? 1 : 0,
              static_cast<unsigned>(support), aspi.LibraryFileName().c_str(),
              static_cast<unsigned>(scan.Targets.size()));
  nsx::ShutDown();
  return 0;
}

int Show(const std::string& what, int seconds) {
  nsx::StartUp(nsx::win32::CreateWin32Platform(false));
  InitCommonControls();
  std::unique_ptr<TscrNSX_Splash> splash;
  std::unique_ptr<TdlgResources> resources;
  std::unique_ptr<TdlgNSX_Detail> detail;
  HWND frame = nullptr;
  std::vector<std::unique_ptr<TGauge>> gauges;
  if (what == "splash") {
    splash = std::make_unique<TscrNSX_Splash>();
  } else if (what == "resources") {
    resources = std::make_unique<TdlgResources>(nullptr);
    TResourceRecordView record;
    record.interfaceTypeName = "PCIBus";
    record.busNumber = 1;
    record.version = 1;
    record.revision = 1;
    TResourceDescriptorView port;
    port.type = 1, port.start = 0xD000, port.length = 0x100, port.flagsText = "Port I/O";
    TResourceDescriptorView irq;
    irq.type = 2, irq.level = 11, irq.vector = 11, irq.affinity = 0xFFFFFFFF, irq.flagsText = "Level Sensitive";
    TResourceDescriptorView mem;
    mem.type = 3, mem.start = 0xFEBFF000, mem.length = 0x1000, mem.flagsText = "Read/Write";
    TResourceDescriptorView dma;
    dma.type = 4, dma.channel = 2, dma.port = 0;
    TResourceDescriptorView data;
    data.type = 5, data.dataSize = 0x20;
    TResourceDescriptorView other;
    other.type = 7;
    record.descriptors = {port, irq, mem, dma, data, other};
    resources->Fill("Realtek RTL8139 Family PCI Fast Ethernet NIC", record);
    ShowWindow(resources->Handle(), SW_SHOW);
  } else if (what == "detail") {
    detail = std::make_unique<TdlgNSX_Detail>(nullptr);
    detail->SetPage(TdlgNSX_Detail::nbCheckBox);
    detail->SetTitle("Installed Suites");
    detail->AddCheckItems({{"Small Business", false}, {"Terminal Server", true}, {"Single User TS", true}});
    ShowWindow(detail->Handle(), SW_SHOW);
  } else if (what == "gauges") {
    frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_BORDER, 200, 200, 560, 150, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    const TGaugeKind kinds[] = {gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle};
    for (int i = 0; i < 5; ++i) {
      gauges.push_back(std::make_unique<TGauge>(frame, 10 + i * 110, 10, 100, i == 1 ? 30 : 100, 100 + i));
      gauges.back()->SetKind(kinds[i]);
      gauges.back()->SetForeColor(i == 2 ? RGB(0, 255, 0) : RGB(0, 0, 128));
      gauges.back()->SetBackColor(i == 2 ? RGB(0, 0, 0) : RGB(255, 255, 255));
      gauges.back()->SetProgress(15 + i * 17);
    }
  } else {
    return Fail("nothing to show called " + what);
  }
  DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(20);
  }
  gauges.clear();
  if (frame) DestroyWindow(frame);
  return 0;
}

HWND PageChild(int id) {
  HWND overview = Overview();
  HWND sheet = overview ? VisibleSheet(overview) : nullptr;
  return sheet ? ChildById(sheet, id) : nullptr;
}

int ComboItems(int id) {
  HWND combo = PageChild(id);
  if (!combo) return Fail("no combo box " + std::to_string(id) + " on the page");
  // The system carries this message's text across processes, as it does for list boxes.
  int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t text[1024] = {0};
    if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) < 1000)
      SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    std::printf("%s\n", Utf8(text).c_str());
  }
  return 0;
}

// Selects the item and tells the parent, as the box does when the user
// picks an item from its list.
int ComboSelect(int id, int index) {
  HWND combo = PageChild(id);
  if (!combo) return Fail("no combo box " + std::to_string(id) + " on the page");
  if (SendMessageA(combo, CB_SETCURSEL, index, 0) != index) return Fail("no item " + std::to_string(index));
  HWND parent = GetParent(combo);
  // Sent, not posted: the page has handled the change when the call returns
  // (a message sent to check the page answers would overtake a posted one).
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo),
                           SMTO_NORMAL, 20000, &result))
    return Fail("the page does not answer after the selection");
  return 0;
}

HTREEITEM NextTreeItem(HWND tree, UINT how, HTREEITEM from) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
}

std::string TreeItemText(HWND tree, HTREEITEM node) {
  RemoteBuffer remote(tree, 2048);
  if (!remote.Ok()) return {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = remote.At(1024);
  item.cchTextMax = 1000;
  remote.Write(0, &item, sizeof item);
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.At(0)));
  char text[1001] = {0};
  remote.Read(1024, text, 1000);
  return text;
}

// Every node under `node` and its siblings, depth first, in tree order.
void WalkTree(HWND tree, HTREEITEM node, int depth, const std::function<bool(HTREEITEM, int)>& visit) {
  for (; node; node = NextTreeItem(tree, TVGN_NEXT, node)) {
    if (!visit(node, depth)) return;
    WalkTree(tree, NextTreeItem(tree, TVGN_CHILD, node), depth + 1, visit);
  }
}

HWND PageTree(HWND* sheet) {
  HWND overview = Overview();
  *sheet = overview ? VisibleSheet(overview) : nullptr;
  if (!*sheet) return nullptr;
  for (HWND child : Children(*sheet))
    if (ClassOf(child) == "SysTreeView32" && IsWindowVisible(child)) return child;
  return nullptr;
}

int DumpTree() {
  HWND sheet = nullptr;
  HWND tree = PageTree(&sheet);
  if (!tree) return Fail("no tree on the page on screen");
  WalkTree(tree, NextTreeItem(tree, TVGN_ROOT, nullptr), 0, [&](HTREEITEM node, int depth) {
    std::printf("%d\t%s\n", depth, TreeItemText(tree, node).c_str());
    return true;
  });
  return 0;
}

int SelectTreeNode(const std::string& text) {
  HWND sheet = nullptr;
  HWND tree = PageTree(&sheet);
  if (!tree) return Fail("no tree on the page on screen");
  HTREEITEM found = nullptr;
  WalkTree(tree, NextTreeItem(tree, TVGN_ROOT, nullptr), 0, [&](HTREEITEM node, int) {
    if (TreeItemText(tree, node) == text) found = node;
    return found == nullptr;
  });
  if (!found) return Fail("no tree node " + text);
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(found));
  return WaitResponsive(tree, 5000) ? 0 : Fail("the tree does not answer");
}

int ClickSubTab(int id, const std::string& caption) {
  HWND overview = Overview();
  HWND sheet = overview ? VisibleSheet(overview) : nullptr;
  HWND tabs = sheet ? ChildById(sheet, id) : nullptr;
  if (!tabs) return Fail("no tab strip " + std::to_string(id) + " on the page");
  int n = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    if (Trimmed(TabCaption(tabs, i)) != Trimmed(caption)) continue;
    if (!ClickTab(tabs, i)) return Fail("could not click the tab " + caption);
    return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) == i ? 0 : Fail("the tab did not become active");
  }
  return Fail("no tab " + caption);
}

int RowImages(int id) {
  HWND list = PageChild(id);
  if (!list) return Fail("no list " + std::to_string(id) + " on the page");
  RemoteBuffer remote(list, sizeof(LVITEMA));
  if (!remote.Ok()) return Fail("no memory in the program");
  int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    remote.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.At(0)));
    remote.Read(0, &item, sizeof item);
    std::printf("%d\n", item.iImage);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("no step given");
  std::string step = argv[1];
  std::string arg = argc > 2 ? argv[2] : "";

  if (step == "start-captions") {
    HWND start = WaitVisible("TForm1", 20000);
    if (!start) return Fail("no start window");
    std::printf("%s\n%s\n", WindowTextUtf8(GetDlgItem(start, idStartOK)).c_str(),
                WindowTextUtf8(GetDlgItem(start, idStartClose)).c_str());
    return 0;
  }
  if (step == "open-overview") {
    HWND start = WaitVisible("TForm1", 20000);
    if (!start) return Fail("no start window");
    Press(GetDlgItem(start, idStartOK));
    // Message boxes that come up on the way (the default handler's) are
    // read out and answered.
    HWND overview = nullptr;
    WaitFor([&] {
      HWND box = FindWindowA("#32770", "Error");
      if (box && IsWindowVisible(box)) {
        for (HWND child : Children(box))
          if (ClassOf(child) == "Static" && !WindowTextUtf8(child).empty())
            std::printf("message\t%s\n", WindowTextUtf8(child).c_str());
        Press(GetDlgItem(box, IDOK));
        Sleep(300);
      }
      return (overview = FindVisible("TfrmNSX_Overview")) != nullptr;
    }, 60000);
    if (!overview) return Fail("no overview window after the first button");
    if (!WaitResponsive(overview, 60000)) return Fail("the overview does not answer");
    std::printf("start window enabled: %d\n", IsWindowEnabled(start) ? 1 : 0);
    return 0;
  }
  if (step == "tabs") {
    HWND overview = Overview();
    if (!overview) return Fail("no overview window");
    HWND tabs = PageControl(overview);
    int n = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) std::printf("%s\n", TabCaption(tabs, i).c_str());
    return 0;
  }
  if (step == "select-tab") {
    HWND overview = Overview();
    if (!overview) return Fail("no overview window");
    HWND tabs = PageControl(overview);
    int n = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      if (Trimmed(TabCaption(tabs, i)) != Trimmed(arg)) continue;
      if (!ClickTab(tabs, i)) return Fail("could not click the tab " + arg);
      return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) == i ? 0 : Fail("the tab did not become active");
    }
    return Fail("no tab " + arg);
  }
  if (step == "dump") {
    HWND overview = Overview();
    if (!overview) return Fail("no overview window");
    HWND sheet = VisibleSheet(overview);
    if (!sheet) return Fail("no page on screen");
    std::printf("page\t%d\n", GetDlgCtrlID(sheet) - idPageBase);
    DumpControls(sheet);
    return 0;
  }
  if (step == "report" && argc > 3) return Report(arg, argv[3]);
  if (step == "cancel-report") return CancelReport();
  if (step == "refresh") {
    HWND overview = Overview();
    if (!overview) return Fail("no overview window");
    Press(GetDlgItem(overview, idRefresh));
    Sleep(200);
    return WaitResponsive(overview, 60000) ? 0 : Fail("the overview does not answer after Refresh");
  }
  if (step == "press") {
    HWND overview = Overview();
    HWND sheet = overview ? VisibleSheet(overview) : nullptr;
    HWND button = sheet ? ChildById(sheet, std::atoi(arg.c_str())) : nullptr;
    if (!button) return Fail("no button " + arg + " on the page");
    Press(button);
    return 0;
  }
  if (step == "dialog-dump" || step == "dialog-close") {
    HWND dialog = WaitVisible(arg.c_str(), 10000);
    if (!dialog) return Fail("no dialog " + arg);
    if (step == "dialog-dump") {
      std::printf("caption\t%s\n", WindowTextUtf8(dialog).c_str());
      DumpControls(dialog);
      return 0;
    }
    Press(GetDlgItem(dialog, IDOK));
    return WaitFor([&] { return !IsWindowVisible(dialog); }, 10000) ? 0 : Fail("the dialog stayed open");
  }
  if (step == "escape") {
    HWND overview = Overview();
    if (!overview) return Fail("no overview window");
    PostKey(FocusOf(overview), VK_ESCAPE);
    return WaitFor([] { return Overview() == nullptr; }, 10000) ? 0 : Fail("Escape left the overview open");
  }
  if (step == "close-start") {
    HWND start = WaitVisible("TForm1", 10000);
    if (!start) return Fail("no start window");
    DWORD pid = 0;
    GetWindowThreadProcessId(start, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    Press(GetDlgItem(start, idStartClose));
    bool ended = process && WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    return ended ? 0 : Fail("the program did not end");
  }
  if (step == "show" && argc > 3) return Show(arg, std::atoi(argv[3]));
  if (step == "dialog-cancel") {
    HWND dialog = WaitVisible(arg.c_str(), 10000);
    if (!dialog) return Fail("no dialog " + arg);
    Press(GetDlgItem(dialog, IDCANCEL));
    return WaitFor([&] { return !IsWindowVisible(dialog); }, 10000) ? 0 : Fail("the dialog stayed open");
  }
  if (step == "row-images") return RowImages(std::atoi(arg.c_str()));
  if (step == "combo-items") return ComboItems(std::atoi(arg.c_str()));
  if (step == "combo-select" && argc > 3) return ComboSelect(std::atoi(arg.c_str()), std::atoi(argv[3]));
  if (step == "tree") return DumpTree();
  if (step == "tree-select") return SelectTreeNode(arg);
  if (step == "sub-tab" && argc > 3) return ClickSubTab(std::atoi(arg.c_str()), argv[3]);
  if (step == "os-version") return OsVersion();
  if (step == "free-resources") return FreeResources();
  if (step == "aspi") return Aspi();
  return Fail("unknown step " + step);
}

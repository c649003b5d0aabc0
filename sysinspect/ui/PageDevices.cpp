// The Devices page: the tree of device classes and devices with the
// properties and resources of the selected device, and on the NT family the
// list of every device resource.
#include "../core/Norvik_Routines.h"
#include "../hardware/NSX_Devices.h"
#include "ControlIds.h"
#include "NSX_DetailDlg.h"
#include "NSX_ResourcesDlg.h"
#include "OverviewImages.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "WindowBase.h"
#include "logic/DevicePage.h"

namespace nsx::ui {
namespace {

HTREEITEM InsertNode(HWND tree, HTREEITEM parent, const std::string& text, int icon, LPARAM data) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.iImage = icon;
  insert.item.iSelectedImage = icon;
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::string NodeText(HWND tree, HTREEITEM node) {
  char text[1024] = {0};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = text;
  item.cchTextMax = sizeof text - 1;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

HTREEITEM Parent(HWND tree, HTREEITEM node) {
  return node ? reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT,
                                                         reinterpret_cast<LPARAM>(node)))
              : nullptr;
}

// The device index a device node carries; device nodes are those at level
// two (under a class node under the root).
const LPARAM kNoDevice = -1;

class TDevicesPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    showResources_ = OSInfo().IsNT;
    std::vector<const char*> captions = {" Windows Devices "};
    if (showResources_) captions.push_back(" Device Resources ");
    auto sheets = BuildSubPages(sheet, idDevTabs, captions, 4, 4, width - 8, height - 8);
    RECT r{};
    GetClientRect(sheets[0], &r);
    int w = r.right, h = r.bottom;
    tree_ = CreateControl(sheets[0], WC_TREEVIEWA, "",
                          TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP, 4, 4,
                          w - 8, h - 8 - 33, idDevTree, WS_EX_CLIENTEDGE);
    SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(OverviewImages()));
    bProps_ = CreateButton(sheets[0], "Properties...", 4, h - 33, 100, 25, idDevProps);
    bRes_ = CreateButton(sheets[0], "Resources...", 110, h - 33, 100, 25, idDevRes);
    if (!showResources_) ShowWindow(bRes_, SW_HIDE);
    EnableWindow(bProps_, FALSE);
    EnableWindow(bRes_, FALSE);
    if (showResources_) {
      resList_ = CreateReportList(sheets[1], 4, 4, w - 8, h - 8, idDevResList,
                                  {{"Resource", 150}, {"Share", 95}, {"Device", 220}});
      SetSharedImages(resList_);
    }
  }

  void Fill(TNSystemInfo& info) override {
    devices_ = &info.Devices();
    FillTree();
    if (resList_) FillResources();
    TreeChange();
  }

  void OnCommand(int id, int, HWND) override {
    if (!devices_) return;
    if (id == idDevProps) cmProps();
    if (id == idDevRes) cmRes();
  }

  bool OnNotify(const NMHDR& header, LPARAM lParam, LRESULT* result) override {
    if (header.hwndFrom == tree_ && header.code == TVN_SELCHANGEDA) {
      TreeChange();
      *result = 0;
      return true;
    }
    LPARAM index = kNoDevice;
    if (header.hwndFrom == tree_ && header.code == NM_DBLCLK && devices_ && SelectedDevice(&index)) {
      cmRes();
      *result = 1;  // handled: the tree does nothing more with the click
      return true;
    }
    return TOverviewPage::OnNotify(header, lParam, result);
  }

 private:
  void FillTree() {
    // Device nodes carry only their index: nothing to release with them.
    SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    HTREEITEM root = InsertNode(tree_, TVI_ROOT, GetMachineName(), kComputerIcon, kNoDevice);
    for (const auto& node : DeviceTree(*devices_)) {
      HTREEITEM classNode = InsertNode(tree_, root, node.text, node.icon, kNoDevice);
      for (const auto& device : node.devices) InsertNode(tree_, classNode, device.text, node.icon, device.index);
    }
    SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  }

  void FillResources() {
    SendMessageA(resList_, LVM_DELETEALLITEMS, 0, 0);
    nsx::TResourceList items;
    devices_->GetResourceList(items);
    for (const auto& item : items)
      AddListRow(resList_, {item.Resource, GetShareDispositionStr(item.ShareDisposition), item.DeviceTitle},
                 DeviceClassIcon(item.DeviceClass));
  }

  // The selected node when it is a device node.
  HTREEITEM SelectedDevice(LPARAM* index) const {
    HTREEITEM node = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    HTREEITEM classNode = Parent(tree_, node);
    if (!node || !classNode || !Parent(tree_, classNode)) return nullptr;
    TVITEMA item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    *index = item.lParam;
    return item.lParam == kNoDevice ? nullptr : node;
  }

  void TreeChange() {
    LPARAM index = kNoDevice;
    BOOL onDevice = SelectedDevice(&index) != nullptr;
    EnableWindow(bProps_, onDevice);
    EnableWindow(bRes_, onDevice);
  }

  void cmProps() {
    LPARAM index = kNoDevice;
    HTREEITEM node = SelectedDevice(&index);
    if (!node) return;
    TDevice device;
    devices_->GetDevice(static_cast<int>(index), device);
    TdlgNSX_Detail dialog(Owner());
    dialog.SetPage(TdlgNSX_Detail::nbListView);
    dialog.SetTitle("Device Properties");
    for (const auto& [variable, value] :
         DevicePropertyRows(device, NodeText(tree_, node), NodeText(tree_, Parent(tree_, node))))
      dialog.AddRow(variable, value);
    dialog.ShowModal();
  }

  void cmRes() {
    LPARAM index = kNoDevice;
    if (!SelectedDevice(&index)) return;
    TDevice device;
    devices_->GetDevice(static_cast<int>(index), device);
    if (IsBlank(device.ResourceListKey)) {
      MessageBoxA(Owner(), "No resource list available.", kApplicationTitle, MB_OK | MB_ICONINFORMATION);
      return;
    }
    TDeviceResources resources;
    {
      HourglassCursor busy;
      devices_->GetDeviceResources(device, resources);
    }
    ShowDeviceResources(Owner(), DeviceTitle(device), ResourceRecordView(resources));
  }

  TDevices* devices_ = nullptr;
  bool showResources_ = false;
  HWND tree_ = nullptr, bProps_ = nullptr, bRes_ = nullptr, resList_ = nullptr;
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateDevicesPage() { return std::make_unique<TDevicesPage>(); }

}  // namespace nsx::ui

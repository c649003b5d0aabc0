// The Drives page (the selected drive's type, names, space and file-system
// flags) and the IDE page (the four IDE positions, gathered again on fill).
#include <windows.h>
#include <shellapi.h>

#include "../hardware/NSX_Disk.h"
#include "../hardware/NSX_IDE.h"
#include "../software/NSX_OS.h"
#include "ControlIds.h"
#include "Gauges.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/NumberPattern.h"
#include "logic/PageText.h"
#include "logic/StoragePageText.h"

namespace nsx::ui {
namespace {

// An icon handle destroyed when replaced or when the page goes.
class OwnedIcon {
 public:
  OwnedIcon() = default;
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  ~OwnedIcon() { Reset(nullptr); }
  void Reset(HICON icon) {
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }
  HICON Get() const { return icon_; }

 private:
  HICON icon_ = nullptr;
};

std::string ComboText(HWND combo, int index) {
  int length = static_cast<int>(SendMessageA(combo, CB_GETLBTEXTLEN, index, 0));
  if (length < 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

class TDrivesPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    int w = width - 16;
    CreateLabel(sheet, "Drive:", 8, 12, 40, 16);
    cbDrive_ = CreateControl(sheet, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 52, 8, 180, 200,
                             idDrivesCombo);
    imgDrive_ = CreateControl(sheet, "STATIC", "", SS_ICON, width - 8 - 32, 6, 32, 32, idDrivesIcon);
    lDriveType_ = CreateLabel(sheet, "", 52, 36, 180, 16, idDrivesType);
    eUNC_ = CreateField(sheet, "UNC name:", 8, 60, 90, w - 90, idDrivesUNC);
    eDSN_ = CreateField(sheet, "Serial number:", 8, 86, 90, w - 90, idDrivesSerial);

    CreateGroup(sheet, " Space ", 8, 116, w, 120);
    lCapacity_ = CreateLabel(sheet, "", 20, 136, w - 130, 16, idDrivesCapacity);
    lFree_ = CreateLabel(sheet, "", 20, 156, w - 130, 16, idDrivesFree);
    lBPS_ = CreateLabel(sheet, "", 20, 176, (w - 130) / 2, 16, idDrivesBPS);
    lSPC_ = CreateLabel(sheet, "", 20 + (w - 130) / 2, 176, (w - 130) / 2, 16, idDrivesSPC);
    lFC_ = CreateLabel(sheet, "", 20, 196, w - 130, 16, idDrivesFC);
    lTC_ = CreateLabel(sheet, "", 20, 214, w - 130, 16, idDrivesTC);
    gDisk_ = std::make_unique<TGauge>(sheet, width - 8 - 12 - 96, 130, 96, 96, idDrivesGauge);
    gDisk_->SetKind(gkPie);
    gDisk_->SetForeColor(RGB(0, 0, 128));

    CreateGroup(sheet, " File system ", 8, 244, w, height - 244 - 8);
    // The flags in two columns: two check lists side by side, six flags each.
    int half = (w - 8 - 2) / 2;
    for (int i = 0; i < 2; ++i)
      clbFlags_[i] = CreateReportList(sheet, 12 + i * (half + 2), 262, half, height - 262 - 14,
                                      i == 0 ? idDrivesFlags : idDrivesFlags2, {{"Flag", 0}}, true, true);
  }

  void Fill(TNSystemInfo& info) override {
    info_ = &info;
    SendMessageA(cbDrive_, CB_RESETCONTENT, 0, 0);
    auto items = DriveComboItems(info.Disk().AvailableDisks());
    for (const auto& item : items) SendMessageA(cbDrive_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (items.empty()) return;
    SendMessageA(cbDrive_, CB_SETCURSEL, WindowsDriveItem(items, info.OS().Folders()), 0);
    cbDriveChange();
  }

  void OnCommand(int id, int code, HWND) override {
    if (id == idDrivesCombo && code == CBN_SELCHANGE && info_) cbDriveChange();
  }

 private:
  void cbDriveChange() {
    gDisk_->SetProgress(0);
    int index = static_cast<int>(SendMessageA(cbDrive_, CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    std::string item = ComboText(cbDrive_, index);
    TDisk& disk = info_->Disk();
    disk.SetDrive(item.substr(0, 2));
    SetText(lDriveType_, GetMediaTypeStr(disk.MediaType()) + " - " + disk.FileSystem());

    HICON icon = nullptr;
    if (disk.MediaPresent()) {
      SHFILEINFOA file{};
      std::string root = DriveRoot(disk.Drive());
      if (SHGetFileInfoA(root.c_str(), 0, &file, sizeof file, SHGFI_ICON | SHGFI_LARGEICON)) icon = file.hIcon;
    }
    SendMessageA(imgDrive_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    icon_.Reset(icon);

    SetText(eUNC_, disk.UNC());
    SetText(eDSN_, disk.SerialNumber());
    std::string labelled = LabelledDriveItem(item, disk.VolumeLabel());
    if (labelled != item) {
      SendMessageA(cbDrive_, CB_DELETESTRING, index, 0);
      SendMessageA(cbDrive_, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(labelled.c_str()));
      SendMessageA(cbDrive_, CB_SETCURSEL, index, 0);
    }

    std::string separator = ThousandSeparator();
    SetText(lCapacity_, FormatNumber("Capacity: #,#0 B", disk.Capacity(), separator));
    SetText(lFree_, FormatNumber("Free space: #,#0 B", disk.FreeSpace(), separator));
    std::int32_t used = 0;
    if (DiskUsagePercent(disk.Capacity(), disk.FreeSpace(), &used)) {
      try {
        gDisk_->SetProgress(used);
      } catch (...) {
        // The gauge's errors are ignored here.
      }
    }
    SetText(lBPS_, FormatNumber("Bytes/sector: 0", std::uint64_t{disk.BytesPerSector()}, separator));
    SetText(lSPC_, FormatNumber("Sector/cluster: 0", std::uint64_t{disk.SectorsPerCluster()}, separator));
    SetText(lFC_, FormatNumber("Free clusters: #,#0", std::uint64_t{disk.FreeClusters()}, separator));
    SetText(lTC_, FormatNumber("Total clusters: #,#0", std::uint64_t{disk.TotalClusters()}, separator));

    TStringList flags;
    disk.GetFileFlagsStr(flags);
    auto items = CheckItemsFromPairs(flags);
    size_t perColumn = (items.size() + 1) / 2;
    for (size_t column = 0; column < 2; ++column) {
      HWND list = clbFlags_[column];
      CheckListFill filling(list);
      SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
      for (size_t i = column * perColumn; i < items.size() && i < (column + 1) * perColumn; ++i) {
        int row = AddListRow(list, {items[i].text});
        if (row >= 0) SetListChecked(list, row, items[i].checked);
      }
      SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);  // six rows need no scroll bar
    }
  }

  TNSystemInfo* info_ = nullptr;
  HWND cbDrive_ = nullptr, imgDrive_ = nullptr, lDriveType_ = nullptr, eUNC_ = nullptr, eDSN_ = nullptr;
  HWND lCapacity_ = nullptr, lFree_ = nullptr, lBPS_ = nullptr, lSPC_ = nullptr, lFC_ = nullptr, lTC_ = nullptr;
  HWND clbFlags_[2] = {};
  std::unique_ptr<TGauge> gDisk_;
  OwnedIcon icon_;
};

class TIDEPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    (void)height;
    int w = width - 16;
    CreateLabel(sheet, "Position:", 8, 12, 90, 16);
    cbIDE_ = CreateControl(sheet, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 110, 8, 160, 200,
                           idIDECombo);
    for (const char* caption : IDEPositionCaptions())
      SendMessageA(cbIDE_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption));
    struct TFieldRow {
      const char* caption;
      int id;
    };
    const TFieldRow rows[] = {
        // caption          control
        {"Model:",          idIDEModel},
        {"Serial number:",  idIDESerial},
        {"Revision:",       idIDERevision},
        {"Cylinders:",      idIDECylinders},
        {"Heads:",          idIDEHeads},
        {"Sectors/track:",  idIDESectors},
        {"Capacity:",       idIDECapacity},
    };
    CreateGroup(sheet, " Drive ", 8, 40, w, 8 + 7 * 28 + 16);
    for (int i = 0; i < 7; ++i)
      fields_[i] = CreateField(sheet, rows[i].caption, 20, 62 + i * 28, 90, w - 114, rows[i].id);
  }

  void Fill(TNSystemInfo& info) override {
    ide_ = &info.IDE();
    ide_->GetInfo();  // this page gathers its topic again
    SendMessageA(cbIDE_, CB_SETCURSEL, 0, 0);
    cbIDEChange();
  }

  void OnCommand(int id, int code, HWND) override {
    if (id == idIDECombo && code == CBN_SELCHANGE && ide_) cbIDEChange();
  }

 private:
  void cbIDEChange() {
    int index = static_cast<int>(SendMessageA(cbIDE_, CB_GETCURSEL, 0, 0));
    if (index < 0 || index > 3) return;
    auto texts = IDEFields(ide_->Position(index));
    for (int i = 0; i < 7; ++i) SetText(fields_[i], texts[static_cast<size_t>(i)]);
  }

  TIDE* ide_ = nullptr;
  HWND cbIDE_ = nullptr, fields_[7] = {};
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateDrivesPage() { return std::make_unique<TDrivesPage>(); }
std::unique_ptr<TOverviewPage> CreateIDEPage() { return std::make_unique<TIDEPage>(); }

}  // namespace nsx::ui

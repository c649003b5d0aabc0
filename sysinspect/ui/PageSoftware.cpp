// The Printers, Startup and Software pages, and the printer set-up dialog
// the Printers page opens.
#include <windows.h>
#include <commdlg.h>

#include "../core/Norvik_Routines.h"
#include "../software/NSX_Printers.h"
#include "../software/NSX_Software.h"
#include "../software/NSX_Startup.h"
#include "ControlIds.h"
#include "OverviewImages.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/SoftwarePageRows.h"

namespace nsx::ui {
namespace {

const int kCsidlStartup = 7;
const int kCsidlCommonStartup = 24;

HWND CreateIconList(HWND parent, int x, int y, int w, int h, int id, const std::vector<TColumn>& columns) {
  HWND list = CreateReportList(parent, x, y, w, h, id, columns);
  SetSharedImages(list);
  return list;
}

// The system's printer set-up dialog (without a printer to set up, the
// system's message says so instead). The choice made is not used further.
void cmPrintSetup(HWND owner) {
  PRINTDLGA setup{};
  setup.lStructSize = sizeof setup;
  setup.hwndOwner = owner;
  setup.Flags = PD_PRINTSETUP;
  PrintDlgA(&setup);
  if (setup.hDevMode) GlobalFree(setup.hDevMode);
  if (setup.hDevNames) GlobalFree(setup.hDevNames);
}

class TPrintersPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    lvPrinter_ = CreateIconList(sheet, 4, 4, width - 8, height - 8 - 33, idPrinterList, {{"Name", 200}, {"Port", 0}});
    CreateButton(sheet, "Properties...", width - 4 - 90, height - 4 - 25, 90, 25, idPrinterProperties);
  }

  void Fill(TNSystemInfo& info) override {
    const TPrinters& printers = info.Printers();
    SendMessageA(lvPrinter_, LVM_DELETEALLITEMS, 0, 0);
    const auto& names = printers.Names();
    for (size_t i = 0; i < names.size(); ++i) {
      std::string port = i < printers.Ports().size() ? printers.Ports()[i] : std::string();
      bool isDefault = static_cast<std::int32_t>(i) == printers.DefaultIndex();
      AddListRow(lvPrinter_, {names[i], port}, PrinterImage(port, isDefault));
    }
  }

  void OnCommand(int id, int code, HWND) override {
    if (id == idPrinterProperties && code == BN_CLICKED) cmPrintSetup(Owner());
  }

 private:
  HWND lvPrinter_ = nullptr;
};

class TStartupPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    tcStartup_ = CreateControl(sheet, WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP, 4, 4, width - 8, height - 8,
                               idStartupTabs);
    const char* captions[] = {" Startup folders ", " Regisry ", " INI files "};
    for (int i = 0; i < 3; ++i) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(captions[i]);
      SendMessageA(tcStartup_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT display{4, 4, width - 4, height - 4};
    SendMessageA(tcStartup_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    lvStartup_ = CreateReportList(sheet, display.left + 2, display.top + 2, display.right - display.left - 4,
                                  display.bottom - display.top - 4, idStartupList,
                                  {{"Name", 90}, {"Location", 120}, {"Command line", 0}});
    SetWindowPos(lvStartup_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }

  void Fill(TNSystemInfo& info) override {
    startup_ = &info.Startup();
    tcStartupChange();
  }

  bool OnNotify(const NMHDR& header, LPARAM lParam, LRESULT* result) override {
    if (header.hwndFrom == tcStartup_ && header.code == TCN_SELCHANGE) {
      tcStartupChange();
      *result = 0;
      return true;
    }
    return TOverviewPage::OnNotify(header, lParam, result);
  }

 private:
  void tcStartupChange() {
    SendMessageA(lvStartup_, LVM_DELETEALLITEMS, 0, 0);
    if (!startup_) return;
    int tab = static_cast<int>(SendMessageA(tcStartup_, TCM_GETCURSEL, 0, 0));
    std::string userFolder, commonFolder;
    if (tab == stFolders) {
      userFolder = GetSpecialFolder(0, kCsidlStartup);
      commonFolder = GetSpecialFolder(0, kCsidlCommonStartup);
    }
    for (const auto& row : StartupRows(*startup_, tab, userFolder, commonFolder))
      AddListRow(lvStartup_, {row.name, row.location, row.command});
  }

  HWND tcStartup_ = nullptr, lvStartup_ = nullptr;
  const TStartup* startup_ = nullptr;
};

class TSoftwarePage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    lvSW_ = CreateIconList(sheet, 4, 4, width - 8, height - 8, idSoftwareList,
                           {{"Product Name", 200}, {"Uninstall String", 0}});
  }

  void Fill(TNSystemInfo& info) override {
    const TSoftware& software = info.Software();
    SendMessageA(lvSW_, LVM_DELETEALLITEMS, 0, 0);
    const auto& products = software.Products();
    for (size_t i = 0; i < products.size(); ++i) {
      std::string command = i < software.UninstallStrings().size() ? software.UninstallStrings()[i] : std::string();
      AddListRow(lvSW_, {products[i], command}, imgProduct);
    }
  }

 private:
  HWND lvSW_ = nullptr;
};

}  // namespace

std::unique_ptr<TOverviewPage> CreatePrintersPage() { return std::make_unique<TPrintersPage>(); }
std::unique_ptr<TOverviewPage> CreateStartupPage() { return std::make_unique<TStartupPage>(); }
std::unique_ptr<TOverviewPage> CreateSoftwarePage() { return std::make_unique<TSoftwarePage>(); }

}  // namespace nsx::ui

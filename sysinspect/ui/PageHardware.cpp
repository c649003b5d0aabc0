// The CPU, Memory and APM pages, with their parts of the once-a-second update.
#include "../core/Norvik_Datetime.h"
#include "../core/Norvik_Routines.h"
#include "../hardware/NSX_APM.h"
#include "../hardware/NSX_CPU.h"
#include "../hardware/NSX_Memory.h"
#include "ControlIds.h"
#include "Gauges.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/NumberPattern.h"
#include "logic/PageText.h"

namespace nsx::ui {
namespace {

std::string Decimal(std::int64_t value) { return std::to_string(value); }

class TCPUPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    auto sheets = BuildSubPages(sheet, idCPUTabs, {" Identification ", " Cache ", " Features "}, 4, 4, width - 8,
                                height - 8);
    RECT r{};
    GetClientRect(sheets[0], &r);
    int w = r.right, h = r.bottom;
    HWND id = sheets[0];
    lCPU_ = CreateLabel(id, "", 8, 8, w - 16, 18, idCPUHeadline, SS_LEFTNOWORDWRAP);
    SendMessageA(lCPU_, WM_SETFONT, reinterpret_cast<WPARAM>(MakeFont("MS Sans Serif", -11, true)), FALSE);
    const int ids[] = {idCPUFamily, idCPUModel, idCPUStepping, idCPUType, idCPUFreq,
                       idCPUVendor, idCPUNameString, idCPUFriendlyName, idCPUCodeName, idCPUSerial};
    int textWidth = w - 16 - 60;
    for (int i = 0; i < 10; ++i) labels_[i] = CreateLabel(id, "", 8, 34 + i * 19, textWidth, 16, ids[i]);
    CreateLabel(id, "Usage", w - 8 - 44, 34, 44, 16, -1, SS_CENTER);
    gauge_ = std::make_unique<TGauge>(id, w - 8 - 40, 52, 36, h - 52 - 12, idCPUGauge);
    gauge_->SetKind(gkVerticalBar);
    gauge_->SetForeColor(RGB(0, 255, 0));
    gauge_->SetBackColor(RGB(0, 0, 0));

    HWND cache = sheets[1];
    level1_ = CreateLabel(cache, "", 8, 8, w - 16, 16, idCPULevel1);
    level2_ = CreateLabel(cache, "", 8, 26, w - 16, 16, idCPULevel2);
    level3_ = CreateLabel(cache, "", 8, 44, w - 16, 16, idCPULevel3);
    cacheBox_ = CreateControl(cache, "LISTBOX", "", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | LBS_NOSEL, 8, 66, w - 16,
                              h - 74, idCPUCacheBox, WS_EX_CLIENTEDGE);

    features_ = CreateReportList(sheets[2], 4, 4, w - 8, h - 8, idCPUFeatures, {{"Feature", 0}}, true, true);
  }

  void Fill(TNSystemInfo& info) override {
    TCPU& cpu = info.CPU();
    SetText(lCPU_, CPUHeadline(cpu.Count(), cpu.VendorIndex(), cpu.FriendlyName(), cpu.Frequency()));
    const std::string texts[10] = {
        "Family: " + Decimal(cpu.Family()) + " (" + Decimal(cpu.ExtendedFamily()) + ")",
        "Model: " + Decimal(cpu.Model()) + " (" + Decimal(cpu.ExtendedModel()) + ")",
        "Stepping: " + Decimal(cpu.Stepping()) + " (" + Decimal(cpu.ExtendedStepping()) + ")",
        "Type: " + CPUTypeName(static_cast<int>(cpu.CPUType())),
        "Frequency: " + Decimal(cpu.Frequency()) + " MHz",
        "Vendor: " + cpu.Vendor(),
        "Name String: " + cpu.CPUIDNameString(),
        "Friendly Name: " + cpu.FriendlyName(),
        "Code Name: " + cpu.CodeName(),
        cpu.Features().PSN() ? "Serial Number: " + cpu.SerialNumber() : std::string("Serial Number is not supported."),
    };
    for (int i = 0; i < 10; ++i) SetText(labels_[i], texts[i]);

    TStringList lines;
    cpu.Features().GetFeaturesStr(lines);
    lines.push_back("FDIV Bug=" + Decimal(cpu.FDIVBug() ? 1 : 0));
    {
      CheckListFill filling(features_);
      SendMessageA(features_, LVM_DELETEALLITEMS, 0, 0);
      for (const auto& item : CheckItemsFromPairs(lines)) {
        int row = AddListRow(features_, {item.text});
        if (row >= 0) SetListChecked(features_, row, item.checked);
      }
    }
    SendMessageA(features_, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);

    const TCPUCache& cache = cpu.Cache();
    SetText(level1_, CacheLevel1Line(cache.Level1(), cache.Level1Data(), cache.Level1Code()));
    SetText(level2_, "Level 2: " + Decimal(cache.Level2()) + " KB");
    SetText(level3_, "Level 3: " + Decimal(cache.Level3()) + " KB");
    SendMessageA(cacheBox_, LB_RESETCONTENT, 0, 0);
    for (const auto& line : cache.Descriptions())
      SendMessageA(cacheBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }

  void LiveUpdate(TNSystemInfo&, std::uint32_t cpuUsage) override {
    try {
      gauge_->SetProgress(static_cast<std::int32_t>(cpuUsage));
    } catch (...) {
      // The CPU gauge never reports an error.
    }
  }

 private:
  HWND lCPU_ = nullptr, labels_[10] = {}, level1_ = nullptr, level2_ = nullptr, level3_ = nullptr;
  HWND cacheBox_ = nullptr, features_ = nullptr;
  std::unique_ptr<TGauge> gauge_;
};

class TMemoryPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    auto sheets = BuildSubPages(sheet, idMemTabs, {" General ", " Measuring "}, 4, 4, width - 8, height - 8);
    RECT r{};
    GetClientRect(sheets[0], &r);
    int w = r.right;
    HWND g = sheets[0];
    CreateLabel(g, "Memory load:", 8, 10, 90, 16);
    gMemory_ = MakeGauge(g, 100, 8, w - 108, 20, idMemGauge);
    struct TAmountRow {
      const char* caption;
      int totalId, freeId, gaugeId;
    };
    const TAmountRow rows[] = {
        // caption        total      free       gauge
        {"Physical",     idMemPT,   idMemPF,   idMemGaugePhys},
        {"Page File",    idMemFT,   idMemFF,   idMemGaugePage},
        {"Virtual",      idMemVT,   idMemVF,   idMemGaugeVirt},
    };
    int half = (w - 16 - 80) / 2;
    CreateLabel(g, "Total (B)", 88, 38, half, 16);
    CreateLabel(g, "Free (B)", 88 + half + 4, 38, half, 16);
    for (int i = 0; i < 3; ++i) {
      int y = 56 + i * 56;
      CreateLabel(g, rows[i].caption, 8, y + 3, 78, 16);
      amounts_[2 * i] = CreateReadOnlyEdit(g, 88, y, half, 21, rows[i].totalId);
      amounts_[2 * i + 1] = CreateReadOnlyEdit(g, 88 + half + 4, y, half, 21, rows[i].freeId);
      gauges_[i] = MakeGauge(g, 88, y + 24, 2 * half + 4, 16, rows[i].gaugeId);
    }

    HWND m = sheets[1];
    eAG_ = CreateField(m, "Allocation granularity:", 8, 10, 140, w - 156, idMemAG);
    eAppAddr_ = CreateField(m, "Application addresses:", 8, 36, 140, w - 156, idMemAppAddr);
    ePS_ = CreateField(m, "Page size:", 8, 62, 140, w - 156, idMemPS);
    CreateGroup(m, " Free system resources ", 8, 96, w - 16, 150);
    const int barIds[3][2] = {{idMemLabelGDI, idMemBarGDI}, {idMemLabelUser, idMemBarUser}, {idMemLabelSystem, idMemBarSystem}};
    for (int i = 0; i < 3; ++i) {
      resourceLabels_[i] = CreateLabel(m, "", 20, 116 + i * 42, w - 40, 16, barIds[i][0]);
      bars_[i] = CreateControl(m, PROGRESS_CLASSA, "", 0, 20, 134 + i * 42, w - 40, 16, barIds[i][1]);
    }
  }

  void Fill(TNSystemInfo& info) override {
    SelectSubPage(idMemTabs, 0);
    const TMemory& memory = info.Memory();
    std::string separator = ThousandSeparator();
    SetText(eAG_, FormatNumber("#,##", std::int64_t{memory.AllocGranularity()}, separator));
    SetText(eAppAddr_, AppAddressRange(static_cast<std::uint32_t>(memory.MinAppAddress()),
                                       static_cast<std::uint32_t>(memory.MaxAppAddress())));
    SetText(ePS_, FormatNumber("#,##", std::int64_t{memory.PageSize()}, separator));
  }

  void LiveUpdate(TNSystemInfo& info, std::uint32_t) override {
    TMemory& memory = info.Memory();
    memory.GetInfo();
    std::string separator = ThousandSeparator();
    // Totals with "#,##" (zero shows nothing), free amounts with "#,#0".
    const std::int64_t values[6] = {memory.PhysicalTotal(), memory.PhysicalFree(), memory.PageFileTotal(),
                                    memory.PageFileFree(), memory.VirtualTotal(), memory.VirtualFree()};
    for (int i = 0; i < 6; ++i) SetText(amounts_[i], FormatNumber(i % 2 == 0 ? "#,##" : "#,#0", values[i], separator));
    try {
      gMemory_->SetProgress(memory.MemoryLoad());
      for (int i = 0; i < 3; ++i) {
        // Amounts beyond 31 bits are scaled together, so the share stays right.
        TGaugeRange range = FitGaugeRange(ToUnsigned(values[2 * i]), ToUnsigned(values[2 * i + 1]));
        gauges_[i]->SetMaxValue(range.maximum);
        gauges_[i]->SetProgress(range.progress);
      }
    } catch (...) {
      // The gauges never report an error; the step just ends.
    }
    try {
      const TResources& resources = memory.Resources();
      const int percents[3] = {resources.GDI(), resources.User(), resources.System()};
      const char* heaps[3] = {"GDI", "User", "System"};
      for (int i = 0; i < 3; ++i) {
        SendMessageA(bars_[i], PBM_SETPOS, percents[i], 0);
        int shown = static_cast<int>(SendMessageA(bars_[i], PBM_GETPOS, 0, 0));
        SetText(resourceLabels_[i], ResourceFreeLabel(heaps[i], shown));
      }
    } catch (...) {
      // Neither do the resource bars.
    }
  }

 private:
  static std::uint64_t ToUnsigned(std::int64_t value) { return value < 0 ? 0 : static_cast<std::uint64_t>(value); }
  std::unique_ptr<TGauge> MakeGauge(HWND parent, int x, int y, int w, int h, int id) {
    auto gauge = std::make_unique<TGauge>(parent, x, y, w, h, id);
    gauge->SetForeColor(RGB(0, 0, 128));
    return gauge;
  }

  std::unique_ptr<TGauge> gMemory_, gauges_[3];
  HWND amounts_[6] = {}, eAG_ = nullptr, eAppAddr_ = nullptr, ePS_ = nullptr;
  HWND bars_[3] = {}, resourceLabels_[3] = {};
};

class TAPMPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    (void)height;
    int w = width - 16;
    eAC_ = CreateField(sheet, "AC power:", 8, 12, 110, w - 110, idAPMAC);
    eBat_ = CreateField(sheet, "Battery:", 8, 40, 110, w - 110, idAPMBattery);
    eBatFull_ = CreateField(sheet, "Full battery life:", 8, 68, 110, w - 110, idAPMBatFull);
    eBatLife_ = CreateField(sheet, "Battery life left:", 8, 96, 110, w - 110, idAPMBatLife);
    CreateLabel(sheet, "Battery charge:", 8, 130, 110, 16);
    gauge_ = std::make_unique<TGauge>(sheet, 118, 126, w - 110, 24, idAPMGauge);
    gauge_->SetForeColor(RGB(0, 128, 0));
  }

  void Fill(TNSystemInfo& info) override {
    const TAPM& apm = info.APM();
    SetText(eAC_, GetPowerStatusStr(apm.ACPowerStatus()));
    SetText(eBat_, GetBatteryStatusStr(apm.BatteryChargeStatus()));
    if (!BatteryPercentKnown(apm.BatteryLifePercent())) {
      SetText(eBatFull_, kInfoNotAvailable);
      SetText(eBatLife_, kInfoNotAvailable);
      return;  // the gauge keeps what it showed
    }
    SetText(eBatFull_, FormatDuration(apm.BatteryLifeFullTime()));
    SetText(eBatLife_, FormatDuration(apm.BatteryLifeTime()));
    gauge_->SetProgress(apm.BatteryLifePercent());
  }

 private:
  HWND eAC_ = nullptr, eBat_ = nullptr, eBatFull_ = nullptr, eBatLife_ = nullptr;
  std::unique_ptr<TGauge> gauge_;
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateCPUPage() { return std::make_unique<TCPUPage>(); }
std::unique_ptr<TOverviewPage> CreateMemoryPage() { return std::make_unique<TMemoryPage>(); }
std::unique_ptr<TOverviewPage> CreateAPMPage() { return std::make_unique<TAPMPage>(); }

}  // namespace nsx::ui

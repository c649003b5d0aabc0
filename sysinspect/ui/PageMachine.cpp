// The Machine page: " General " (the machine's name, user, boot time and
// up-time, lock keys, BIOS texts) and "SM BIOS" with a tab per SMBIOS view.
// The up-time and the lock keys are rewritten every second.
#include <functional>

#include "../core/DateTimeText.h"
#include "../core/Norvik_Datetime.h"
#include "../core/Runtime.h"
#include "../hardware/NSX_Machine.h"
#include "ControlIds.h"
#include "OverviewImages.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/MachineRows.h"
#include "logic/PageText.h"

namespace nsx::ui {
namespace {

struct TLockIndicator {
  int id;
  int virtualKey;
  const char* caption;
};

const TLockIndicator kLockIndicators[] = {
    // control id          key          caption
    {idMachineNumLock,    VK_NUMLOCK,  "Num Lock"},
    {idMachineCapsLock,   VK_CAPITAL,  "Caps Lock"},
    {idMachineScrollLock, VK_SCROLL,   "Scroll Lock"},
};

// The icons of the SMBIOS lists in the window's image list.
const int kProcessorIcon = 41, kMemoryIcon = 40, kPortIcon = 14, kSlotIcon = 15;

struct TField {
  const char* caption;
  int id;
};

std::string Decimal(long value) { return std::to_string(value); }

class TMachinePage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    auto sheets = BuildSubPages(sheet, idMachineTabs, {" General ", "SM BIOS"}, 4, 4, width - 8, height - 8);
    RECT r{};
    GetClientRect(sheets[0], &r);
    BuildGeneral(sheets[0], r.right, r.bottom);
    BuildSMBIOS(sheets[1], r.right, r.bottom);
  }

  void Fill(TNSystemInfo& info) override {
    const TMachine& m = info.Machine();
    const TBIOS& bios = m.BIOS();
    const TSMBIOS& sm = m.SMBIOS();
    std::string title = ComputerTitle(m.Computer());
    if (!title.empty()) SetText(Find(idMachineComputer), title);
    SetText(Find(idMachineName), m.Name());
    SetText(Find(idMachineUser), m.User());
    SetText(Find(idMachineBIOSCopyright), bios.Copyright());
    SetText(Find(idMachineBIOSName), bios.Name());
    SetText(Find(idMachineBIOSDate), bios.Date());
    SetText(Find(idMachineBIOSExtended), bios.ExtendedInfo());
    TFormatSettings settings = LoadFormatSettings(Machine().Regional(), platform::kLocaleUserDefault);
    SetText(Find(idMachineLastBoot), DateTimeToText(m.LastBoot(), settings));
    SetText(uptime_, FormatDuration(TMachine::WholeSeconds(m.SystemUpTime())));
    const bool locks[3] = {m.NumLock(), m.CapsLock(), m.ScrollLock()};
    for (int i = 0; i < 3; ++i) SetColour(i, LockIndicatorColour(locks[i] ? 1 : 0));

    SetText(Find(idMachineSMVersion), sm.Version());
    SetText(Find(idMachineSMTables), Decimal(static_cast<long>(sm.Structures().size())));
    const std::pair<int, std::string> fields[] = {
        {idSMBIOSVendor,          BIOSVendorText(sm.BIOSVendor(), bios.Copyright())},
        {idSMBIOSVersion,         BIOSVersionText(sm.BIOSVersion(), bios.Name(), bios.ExtendedInfo())},
        {idSMBIOSDate,            BIOSDateText(sm.BIOSDate(), bios.Date())},
        {idSMBIOSSize,            Decimal(static_cast<long>(sm.BIOSSize()))},
        {idSMSysModel,            sm.SystemModel()},
        {idSMSysManufacturer,     sm.SystemManufacturer()},
        {idSMSysVersion,          sm.SystemVersion()},
        {idSMSysSerial,           sm.SystemSerial()},
        {idSMSysUUID,             sm.SystemUUID()},
        {idSMBoardModel,          sm.MainBoardModel()},
        {idSMBoardManufacturer,   sm.MainBoardManufacturer()},
        {idSMBoardVersion,        sm.MainBoardVersion()},
        {idSMBoardSerial,         sm.MainBoardSerial()},
        {idSMChassisModel,        ChassisName(sm.ChassisModel())},
        {idSMChassisManufacturer, sm.ChassisManufacturer()},
        {idSMChassisVersion,      sm.ChassisVersion()},
        {idSMChassisSerial,       sm.ChassisSerial()},
        {idSMMemCtrlInterleave,   InterleaveText(sm.MemCtrlCurrentInterleave(), sm.MemCtrlSupportedInterleave())},
        {idSMMemCtrlSpeeds,       SpeedsText(sm.MemCtrlSupportedSpeeds())},
        {idSMMemCtrlTypes,        TypesText(sm.MemCtrlSupportedTypes())},
        {idSMMemCtrlVoltages,     VoltagesText(sm.MemCtrlSupportedVoltages())},
        {idSMMemCtrlMaxSize,      Decimal(sm.MemCtrlMaxSize())},
        {idSMMemCtrlSlots,        Decimal(sm.MemCtrlSlotCount())},
    };
    for (const auto& [id, text] : fields) SetText(Find(id), text);

    std::string separator = Machine().Regional().LocaleText(platform::kLocaleUserDefault, platform::kLocaleSDecimal)
                                .value_or(".");
    FillList(idSMProcessors, sm.ProcessorCount(), kProcessorIcon, [&](int i) { return ProcessorRow(sm.Processor(i), separator); });
    FillList(idSMCaches, sm.CacheCount(), kMemoryIcon, [&](int i) { return CacheRow(sm.Cache(i)); });
    FillList(idSMMemory, sm.MemorySlotCount(), kMemoryIcon, [&](int i) { return MemoryRow(sm.MemoryBank(i)); });
    FillList(idSMPorts, sm.PortCount(), kPortIcon, [&](int i) { return PortRow(sm.Port(i)); });
    FillList(idSMSlots, sm.SystemSlotCount(), kSlotIcon, [&](int i) { return SlotRow(sm.Slot(i)); });
    const auto& structures = sm.Structures();
    FillList(idSMTables, static_cast<int>(structures.size()), -1, [&](int i) { return StructureRow(structures[i]); });
  }

  void LiveUpdate(TNSystemInfo&, std::uint32_t) override {
    SetText(uptime_, FormatDuration(TMachine::WholeSeconds(TMachine::CurrentUpTime())));
    BYTE keys[256] = {0};
    if (!GetKeyboardState(keys)) return;
    for (int i = 0; i < 3; ++i) SetColour(i, LockIndicatorColour(keys[kLockIndicators[i].virtualKey]));
  }

  HBRUSH OnColour(HDC dc, HWND control) override {
    for (int i = 0; i < 3; ++i) {
      if (control != indicators_[i]) continue;
      COLORREF colour = RGB(colours_[i].red, colours_[i].green, colours_[i].blue);
      brushes_[i].Reset(CreateSolidBrush(colour));
      SetBkColor(dc, colour);
      return brushes_[i].Get();
    }
    return nullptr;
  }

  // Controls live on the sub-pages' sheets, not on the page's own.
  HWND Find(int id) const {
    for (HWND sheet : sheets_)
      if (HWND control = GetDlgItem(sheet, id)) return control;
    return nullptr;
  }

 private:
  void BuildGeneral(HWND g, int w, int h) {
    (void)h;
    sheets_.push_back(g);
    const int label = 92, edit = w - 16 - label;
    CreateField(g, "Computer:", 8, 8, label, edit, idMachineComputer);
    CreateField(g, "Machine name:", 8, 34, label, edit, idMachineName);
    CreateField(g, "User:", 8, 60, label, edit, idMachineUser);
    CreateField(g, "Last boot:", 8, 86, label, edit, idMachineLastBoot);
    uptime_ = CreateField(g, "System up time:", 8, 112, label, edit, idMachineUptime);
    int third = (w - 16 - 2 * 8) / 3;
    for (int i = 0; i < 3; ++i) {
      indicators_[i] = CreateControl(g, "STATIC", kLockIndicators[i].caption, SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN,
                                     8 + i * (third + 8), 144, third, 22, kLockIndicators[i].id);
      colours_[i] = kSilver;
    }
    CreateGroup(g, " BIOS ", 8, 178, w - 16, 124);
    const TField bios[] = {{"Name:", idMachineBIOSName},
                           {"Copyright:", idMachineBIOSCopyright},
                           {"Date:", idMachineBIOSDate},
                           {"Extended info:", idMachineBIOSExtended}};
    for (int i = 0; i < 4; ++i) CreateField(g, bios[i].caption, 16, 196 + i * 26, label - 8, edit - 8, bios[i].id);
  }

  void BuildSMBIOS(HWND s, int w, int h) {
    sheets_.push_back(s);
    CreateField(s, "SMBIOS version:", 8, 8, 86, 50, idMachineSMVersion);
    CreateField(s, "Structures:", 160, 8, 64, 50, idMachineSMTables);
    auto views = BuildSubPages(s, idMachineSMTabs,
                               {" BIOS ", " System ", " MainBoard", " Chassis ", " Memory Controller ", " Processors ",
                                " Caches ", " Memory ", " Ports ", " Slots ", " Available Tables "},
                               4, 36, w - 8, h - 40, TCS_MULTILINE);
    sheets_.insert(sheets_.end(), views.begin(), views.end());
    RECT r{};
    GetClientRect(views[0], &r);
    int vw = r.right, vh = r.bottom;
    const int label = 92, edit = vw - 16 - label;
    auto fields = [&](HWND view, std::initializer_list<TField> list) {
      int y = 8;
      for (const auto& f : list) {
        CreateField(view, f.caption, 8, y, label, edit, f.id);
        y += 26;
      }
    };
    fields(views[0], {{"Vendor:", idSMBIOSVendor}, {"Version:", idSMBIOSVersion}, {"Date:", idSMBIOSDate}});
    CreateField(views[0], "Size:", 8, 86, label, 60, idSMBIOSSize);
    CreateLabel(views[0], "KB", 8 + label + 66, 89, 30, 16);
    fields(views[1], {{"Model:", idSMSysModel}, {"Manufacturer:", idSMSysManufacturer}, {"Version:", idSMSysVersion},
                      {"Serial:", idSMSysSerial}, {"UUID:", idSMSysUUID}});
    fields(views[2], {{"Model:", idSMBoardModel}, {"Manufacturer:", idSMBoardManufacturer},
                      {"Version:", idSMBoardVersion}, {"Serial:", idSMBoardSerial}});
    fields(views[3], {{"Type:", idSMChassisModel}, {"Manufacturer:", idSMChassisManufacturer},
                      {"Version:", idSMChassisVersion}, {"Serial:", idSMChassisSerial}});
    fields(views[4], {{"Interleave:", idSMMemCtrlInterleave}, {"Speeds:", idSMMemCtrlSpeeds},
                      {"Types:", idSMMemCtrlTypes}, {"Voltages:", idSMMemCtrlVoltages}});
    CreateField(views[4], "Max. module:", 8, 112, label, 60, idSMMemCtrlMaxSize);
    CreateLabel(views[4], "MB", 8 + label + 66, 115, 30, 16);
    CreateField(views[4], "Slots:", 8, 138, label, 60, idSMMemCtrlSlots);
    auto list = [&](HWND view, int id, const std::vector<TColumn>& columns) {
      HWND control = CreateReportList(view, 4, 4, vw - 8, vh - 8, id, columns);
      if (id != idSMTables) SendMessageA(control, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(OverviewImages()));
    };
    list(views[5], idSMProcessors, {{"Vendor", 70}, {"Vendor ID", 90}, {"Socket", 80}, {"Upgrade Intf", 80},
                                    {"Voltage", 50}, {"Frequency", 65}, {"External Clock", 0}});
    list(views[6], idSMCaches, {{"Socket", 80}, {"Type", 60}, {"Associativity", 90}, {"SRAM", 70}, {"Size", 55},
                                {"Max Size", 60}, {"Speed", 0}});
    list(views[7], idSMMemory, {{"Bank", 80}, {"Form Factor", 70}, {"Type", 70}, {"Device", 60}, {"Size", 55},
                                {"Speed", 0}});
    list(views[8], idSMPorts, {{"Type", 110}, {"Internal Designator", 110}, {"Internal Connector", 110},
                               {"External Designator", 110}, {"External Connector", 0}});
    list(views[9], idSMSlots, {{"Type", 110}, {"Data Bus", 70}, {"Current Usage", 90}, {"Length", 0}});
    list(views[10], idSMTables, {{"Table Type", 200}, {"Length", 50}, {"Handle", 0}});
  }

  void FillList(int id, int count, int icon, const std::function<TRow(int)>& row) {
    HWND list = Find(id);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < count; ++i) AddListRow(list, row(i), icon);
  }

  void SetColour(int i, TColour colour) {
    if (colour == colours_[i]) return;
    colours_[i] = colour;
    InvalidateRect(indicators_[i], nullptr, TRUE);
  }

  std::vector<HWND> sheets_;
  HWND uptime_ = nullptr;
  HWND indicators_[3] = {};
  TColour colours_[3] = {kSilver, kSilver, kSilver};
  GdiObject<HBRUSH> brushes_[3];
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateMachinePage() { return std::make_unique<TMachinePage>(); }

}  // namespace nsx::ui

// The Network page: the network adapters with the host's IP and MAC
// addresses and the installed components, the Windows Sockets
// implementation, and the TCP/IP configuration of each adapter.
#include "../software/NSX_Network.h"
#include "ControlIds.h"
#include "NSX_DetailDlg.h"
#include "OverviewImages.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/NetworkPageText.h"

namespace nsx::ui {
namespace {

HWND CreateIndicator(HWND parent, const char* text, int x, int y, int w, int id) {
  // A plain check box: a click does not change its mark, which only the
  // page sets.
  return CreateControl(parent, "BUTTON", text, BS_CHECKBOX | WS_TABSTOP, x, y, w, 18, id);
}

void SetChecked(HWND box, bool checked) { SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }

void FillListBox(HWND box, const TStringList& lines) {
  SendMessageA(box, LB_RESETCONTENT, 0, 0);
  for (const auto& line : lines) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

HWND CreateListBox(HWND parent, int x, int y, int w, int h, int id) {
  return CreateControl(parent, "LISTBOX", "", LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | LBS_NOSEL, x, y, w, h, id,
                       WS_EX_CLIENTEDGE);
}

class TNetworkPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    auto sheets = BuildSubPages(sheet, idNetTabs, {" General ", " Winsock ", " TCP/IP "}, 4, 4, width - 8, height - 8);
    RECT r{};
    GetClientRect(sheets[0], &r);
    int w = r.right, h = r.bottom;
    BuildGeneral(sheets[0], w, h);

    HWND s = sheets[1];
    eWSDesc_ = CreateField(s, "Description:", 8, 12, 80, w - 98, idNetWSDesc);
    eWSVer_ = CreateField(s, "Version:", 8, 38, 80, w - 98, idNetWSVersion);
    eWSStat_ = CreateField(s, "Status:", 8, 64, 80, w - 98, idNetWSStatus);

    BuildTCPIP(sheets[2], w, h);
  }

  void Fill(TNSystemInfo& info) override {
    network_ = &info.Network();
    SelectSubPage(idNetTabs, 0);
    SendMessageA(lvNetwork_, LVM_DELETEALLITEMS, 0, 0);
    const TStringList& adapters = network_->Adapters();
    for (std::size_t i = 0; i < adapters.size(); ++i)
      AddListRow(lvNetwork_, {adapters[i]}, NetworkAdapterIcon(static_cast<int>(i), network_->CardAdapterIndex()));
    FillListBox(lbIP_, network_->IPAddresses());
    FillListBox(lbMAC_, network_->MACAddresses());

    const TWinsock& winsock = network_->WinSock();
    SetText(eWSDesc_, winsock.Description());
    SetText(eWSVer_, std::to_string(winsock.MajorVersion()) + "." + std::to_string(winsock.MinorVersion()));
    SetText(eWSStat_, winsock.Status());

    const TTCPIP& tcpip = network_->TCPIP();
    SetText(eHost_, tcpip.HostName());
    SetText(eDomain_, tcpip.DomainName());
    SetText(eNode_, NodeTypeText(tcpip.NodeType()));
    SetText(eDNS_, tcpip.PrimaryDNSSuffix());
    SetChecked(cbxProxy_, tcpip.EnableProxy());
    SetChecked(cbxRouting_, tcpip.EnableRouting());
    SetChecked(cbxDNS_, tcpip.EnableDNS());
    SendMessageA(cbAdapters_, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < tcpip.AdapterCount(); ++i) {
      TAdapter adapter;
      tcpip.GetAdapter(i, adapter);
      SendMessageA(cbAdapters_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(adapter.Name.c_str()));
    }
    FillListBox(dnsBox_, DNSBoxLines(tcpip.DNSServers(), tcpip.DNSSuffixes()));
    ClearAdapter();
    if (tcpip.AdapterCount() > 0) {
      SendMessageA(cbAdapters_, CB_SETCURSEL, 0, 0);
      cbAdaptersChange();
    }
  }

  void OnCommand(int id, int code, HWND) override {
    if (!network_) return;
    if (code == BN_CLICKED && id == idNetProtocols) ShowList("Protocols", network_->Protocols());
    if (code == BN_CLICKED && id == idNetServices) ShowList("Services", network_->Services());
    if (code == BN_CLICKED && id == idNetClients) ShowList("Clients", network_->Clients());
    if (code == CBN_SELCHANGE && id == idNetTCPAdapters) cbAdaptersChange();
  }

 private:
  void BuildGeneral(HWND g, int w, int h) {
    lvNetwork_ = CreateReportList(g, 8, 8, w - 16, 112, idNetAdapters, {{"Network adapters", 0}});
    SendMessageA(lvNetwork_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(OverviewImages()));
    int half = (w - 24) / 2;
    int listTop = 148, listHeight = h - listTop - 41;
    CreateLabel(g, " IP Format", 8, 130, half, 16);
    CreateLabel(g, " MAC Format", 16 + half, 130, half, 16);
    lbIP_ = CreateListBox(g, 8, listTop, half, listHeight, idNetIP);
    lbMAC_ = CreateListBox(g, 16 + half, listTop, half, listHeight, idNetMAC);
    int third = (w - 32) / 3;
    CreateButton(g, "Protocols...", 8, h - 33, third, 25, idNetProtocols);
    CreateButton(g, "Services...", 16 + third, h - 33, third, 25, idNetServices);
    CreateButton(g, "Clients...", 24 + 2 * third, h - 33, third, 25, idNetClients);
  }

  void BuildTCPIP(HWND t, int w, int h) {
    eHost_ = CreateField(t, "Host name:", 8, 8, 80, w - 98, idNetHost);
    eDomain_ = CreateField(t, "Domain:", 8, 32, 80, w - 98, idNetDomain);
    eNode_ = CreateField(t, "Node type:", 8, 56, 80, w - 98, idNetNode);
    eDNS_ = CreateField(t, "DNS server:", 8, 80, 80, w - 98, idNetDNS);
    int third = (w - 16) / 3;
    cbxProxy_ = CreateIndicator(t, "Proxy", 8, 104, third, idNetProxy);
    cbxRouting_ = CreateIndicator(t, "Routing", 8 + third, 104, third, idNetRouting);
    cbxDNS_ = CreateIndicator(t, "DNS", 8 + 2 * third, 104, third, idNetDNSEnabled);
    CreateLabel(t, "DNS servers:", 8, 126, w - 16, 16);
    dnsBox_ = CreateListBox(t, 8, 142, w - 16, 36, idNetDNSBox);

    CreateGroup(t, " Adapter ", 4, 182, w - 8, h - 182 - 4);
    cbAdapters_ = CreateControl(t, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 12, 198, w - 24, 120,
                                idNetTCPAdapters);
    ePA_ = CreateField(t, "Address:", 12, 224, 60, w - 84, idNetPhysicalAddress);
    CreateLabel(t, "Type:", 12, 251, 60, 16);
    eAT_ = CreateReadOnlyEdit(t, 72, 248, 110, 21, idNetAdapterType);
    cbxDHCP_ = CreateIndicator(t, "DHCP", 194, 250, 70, idNetDHCP);
    cbxWINS_ = CreateIndicator(t, "WINS", 268, 250, 70, idNetWINS);
    adapterList_ = CreateReportList(t, 12, 274, w - 24, h - 274 - 12, idNetAddressList,
                                    {{"Resource", 110}, {"IP Address", 95}, {"IP Mask", 0}});
  }

  void ClearAdapter() {
    SetText(ePA_, "");
    SetText(eAT_, "");
    SetChecked(cbxDHCP_, false);
    SetChecked(cbxWINS_, false);
    SendMessageA(adapterList_, LVM_DELETEALLITEMS, 0, 0);
  }

  void cbAdaptersChange() {
    int index = static_cast<int>(SendMessageA(cbAdapters_, CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    TAdapter adapter;
    network_->TCPIP().GetAdapter(index, adapter);
    SetText(ePA_, adapter.PhysicalAddress);
    SetText(eAT_, AdapterTypeText(adapter.AdapterType));
    SetChecked(cbxDHCP_, adapter.DHCPEnabled != 0);
    SetChecked(cbxWINS_, adapter.HaveWINS);
    SendMessageA(adapterList_, LVM_DELETEALLITEMS, 0, 0);
    for (const auto& row : AdapterAddressRows(adapter)) AddListRow(adapterList_, {row.resource, row.address, row.mask});
  }

  void ShowList(const char* title, const TStringList& items) {
    TdlgNSX_Detail dialog(Owner());
    dialog.SetPage(TdlgNSX_Detail::nbCheckBox);
    dialog.SetTitle(title);
    for (const auto& item : items) dialog.AddCheckItem(item, true);
    dialog.ShowModal();
  }

  TNetwork* network_ = nullptr;
  HWND lvNetwork_ = nullptr, lbIP_ = nullptr, lbMAC_ = nullptr;
  HWND eWSDesc_ = nullptr, eWSVer_ = nullptr, eWSStat_ = nullptr;
  HWND eHost_ = nullptr, eDomain_ = nullptr, eNode_ = nullptr, eDNS_ = nullptr;
  HWND cbxProxy_ = nullptr, cbxRouting_ = nullptr, cbxDNS_ = nullptr, dnsBox_ = nullptr;
  HWND cbAdapters_ = nullptr, ePA_ = nullptr, eAT_ = nullptr, cbxDHCP_ = nullptr, cbxWINS_ = nullptr;
  HWND adapterList_ = nullptr;
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateNetworkPage() { return std::make_unique<TNetworkPage>(); }

}  // namespace nsx::ui

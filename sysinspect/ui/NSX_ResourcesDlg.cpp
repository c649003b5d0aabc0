#include "NSX_ResourcesDlg.h"

#include "ControlIds.h"
#include "WinUtil.h"

namespace nsx::ui {
namespace {

const int kWidth = 674, kHeight = 343;

struct TListPlace {
  const char* strip;
  int id;
  int left, top, width, height;
  std::vector<TColumn> columns;
};

const std::vector<TListPlace>& ListPlaces() {
  static const std::vector<TListPlace> kPlaces = {
      // strip caption            list id    left  top  width height  columns
      {" DMA",                  idResDMA,    9,  29, 320, 73, {{"Channel", 150}, {"Port", 150}}},
      {" IRQ",                  idResIRQ,    9, 126, 320, 73, {{"Vector", 75}, {"Level", 75}, {"Affinity", 75}, {"Type", 75}}},
      {" Memory",               idResMem,  341,  30, 320, 73, {{"Physical Address", 100}, {"Length", 100}, {"Access", 100}}},
      {" Port",                 idResPort, 341, 126, 320, 73, {{"Physical Address", 100}, {"Length", 100}, {"Type", 100}}},
      {" Device Specific Data", idResDSD,    9, 225, 320, 73, {{"Reserved1", 100}, {"Reserved2", 100}, {"Data Size", 100}}},
  };
  return kPlaces;
}

}  // namespace

TdlgResources::TdlgResources(HWND owner) {
  CreateFrame(kResourcesDialogClass, "Resources", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
              WS_EX_DLGMODALFRAME, kWidth, kHeight, owner);
  HWND w = Handle();
  for (const auto& place : ListPlaces()) {
    CreateLabel(w, place.strip, place.left, place.top - 18, place.width, 16, -1, SS_SUNKEN);
    HWND list = CreateReportList(w, place.left, place.top, place.width, place.height, place.id, place.columns);
    switch (place.id) {
      case idResDMA: dma_ = list; break;
      case idResIRQ: irq_ = list; break;
      case idResMem: mem_ = list; break;
      case idResPort: port_ = list; break;
      default: dsd_ = list; break;
    }
  }
  CreateGroup(w, " General ", 341, 206, 320, 93);
  const int labelIds[4] = {idResIntfType, idResBusNumber, idResVersion, idResRevision};
  for (int i = 0; i < 4; ++i) labels_[i] = CreateLabel(w, "", 353, 224 + i * 18, 296, 16, labelIds[i]);
  CreateButton(w, "OK", kWidth - 75 - 9, kHeight - 25 - 9, 75, 25, IDOK, true);
  CentreOnScreen(w);
}

HWND TdlgResources::ListFor(TResourceList list) const {
  switch (list) {
    case rlDMA: return dma_;
    case rlIRQ: return irq_;
    case rlMemory: return mem_;
    case rlPort: return port_;
    case rlDeviceData: return dsd_;
    case rlNone: break;
  }
  return nullptr;
}

void TdlgResources::Fill(const std::string& caption, const TResourceRecordView& record) {
  SetText(Handle(), caption);
  auto labels = ResourceGeneralLabels(record);
  for (int i = 0; i < 4; ++i) SetText(labels_[i], labels[i]);
  for (const auto& descriptor : record.descriptors) {
    TResourceRow row = ResourceRow(descriptor);
    if (HWND list = ListFor(row.list)) AddListRow(list, row.cells);
  }
}

void TdlgResources::ShowModal() {
  closed_ = false;
  RunModal(Handle(), closed_);
}

LRESULT TdlgResources::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) || message == WM_CLOSE) {
    closed_ = true;
    ShowWindow(Handle(), SW_HIDE);
    return 0;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

void ShowDeviceResources(HWND mainWindow, const std::string& caption, const TResourceRecordView& record) {
  TdlgResources dialog(mainWindow);
  dialog.Fill(caption, record);
  dialog.ShowModal();
}

}  // namespace nsx::ui

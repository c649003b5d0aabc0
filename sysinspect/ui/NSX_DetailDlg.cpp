#include "NSX_DetailDlg.h"

#include "ControlIds.h"
#include "WinUtil.h"

namespace nsx::ui {
namespace {

const int kWidth = 439, kHeight = 309;
const int kTitleHeight = 59, kButtonPanel = 42;

}  // namespace

TdlgNSX_Detail::TdlgNSX_Detail(HWND owner) {
  CreateFrame(kDetailDialogClass, kApplicationTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
              WS_EX_DLGMODALFRAME, kWidth, kHeight, owner);
  HWND w = Handle();
  title_ = CreateLabel(w, "", 12, 10, kWidth - 80, 18, idDetailTitle);
  SendMessageA(title_, WM_SETFONT, reinterpret_cast<WPARAM>(MakeFont("MS Sans Serif", -11, true)), FALSE);
  subTitle_ = CreateLabel(w, "Detail Information", 24, 30, kWidth - 100, 16, idDetailSubTitle);
  HWND image = CreateControl(w, "STATIC", "", SS_ICON, kWidth - 48 - 8, 6, 48, 48, idDetailImage);
  SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_INFORMATION)), 0);
  CreateControl(w, "STATIC", "", SS_ETCHEDHORZ, 0, kTitleHeight, kWidth, 2, -1);

  int top = kTitleHeight + 2 + 6, height = kHeight - kButtonPanel - top;
  memo_ = CreateControl(w, "EDIT", "", ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL, 6, top,
                        kWidth - 12, height, idDetailMemo);
  checkList_ = CreateReportList(w, 6, top, kWidth - 12, height, idDetailCheckList, {{"Item", 0}}, true, true);
  listBox_ = CreateControl(w, "LISTBOX", "", LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 6, top, kWidth - 12, height,
                           idDetailListBox);
  listView_ = CreateReportList(w, 6, top, kWidth - 12, height, idDetailListView, {{"Variable", 150}, {"Value", 0}});
  SendMessageA(listView_, LVM_SETBKCOLOR, 0, GetSysColor(COLOR_BTNFACE));
  SendMessageA(listView_, LVM_SETTEXTBKCOLOR, 0, GetSysColor(COLOR_BTNFACE));
  CreateButton(w, "OK", (kWidth - 75) / 2, kHeight - kButtonPanel + 9, 75, 25, IDOK, true);
  SetPage(page_);
  CentreOnScreen(w);
}

void TdlgNSX_Detail::SetPage(TNotebookPage page) {
  page_ = page;
  ShowWindow(memo_, page == nbMemo ? SW_SHOW : SW_HIDE);
  ShowWindow(checkList_, page == nbCheckBox ? SW_SHOW : SW_HIDE);
  ShowWindow(listBox_, page == nbListbox ? SW_SHOW : SW_HIDE);
  ShowWindow(listView_, page == nbListView ? SW_SHOW : SW_HIDE);
}

void TdlgNSX_Detail::SetTitle(const std::string& title) { SetText(title_, title); }

void TdlgNSX_Detail::SetMemoText(const std::string& text) { SetText(memo_, text); }

void TdlgNSX_Detail::AddCheckItem(const std::string& text, bool checked) {
  CheckListFill filling(checkList_);
  int row = AddListRow(checkList_, {text});
  if (row >= 0) SetListChecked(checkList_, row, checked);
}

void TdlgNSX_Detail::AddCheckItems(const std::vector<TCheckItem>& items) {
  for (const auto& item : items) AddCheckItem(item.text, item.checked);
}

void TdlgNSX_Detail::AddListItem(const std::string& text) {
  SendMessageA(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TdlgNSX_Detail::AddRow(const std::string& variable, const std::string& value) {
  AddListRow(listView_, {variable, value});
}

void TdlgNSX_Detail::ShowModal() {
  // The value column takes what the variable column leaves.
  FitLastColumn(listView_, 150);
  FitLastColumn(checkList_, 0);
  SendMessageA(checkList_, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
  closed_ = false;
  RunModal(Handle(), closed_);
}

LRESULT TdlgNSX_Detail::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        closed_ = true;
        ShowWindow(Handle(), SW_HIDE);
        return 0;
      }
      break;
    case WM_CLOSE:
      closed_ = true;
      ShowWindow(Handle(), SW_HIDE);
      return 0;
    case WM_NOTIFY:
      if (RefuseCheckChange(lParam)) return TRUE;
      break;
    case WM_ERASEBKGND: {
      LRESULT result = TWindowBase::HandleMessage(message, wParam, lParam);
      RECT panel{0, 0, 0, kTitleHeight};
      RECT client{};
      GetClientRect(Handle(), &client);
      panel.right = client.right;
      FillRect(reinterpret_cast<HDC>(wParam), &panel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      return result;
    }
    case WM_CTLCOLORSTATIC: {
      HWND control = reinterpret_cast<HWND>(lParam);
      if (control == title_ || control == subTitle_ || GetDlgCtrlID(control) == idDetailImage) {
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
      }
      break;
    }
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace nsx::ui

// TdlgNSX_Detail: the modal box that shows one titled detail of a topic as
// a memo, a check list, a list or a two-column list. The caller picks the
// notebook page, fills it, shows the box and destroys it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "WindowBase.h"
#include "logic/PageText.h"

namespace nsx::ui {

constexpr const char* kDetailDialogClass = "TdlgNSX_Detail";

class TdlgNSX_Detail : public TWindowBase {
 public:
  enum TNotebookPage { nbMemo = 0, nbCheckBox = 1, nbListbox = 2, nbListView = 3 };

  explicit TdlgNSX_Detail(HWND owner);

  void SetPage(TNotebookPage page);
  void SetTitle(const std::string& title);
  void SetMemoText(const std::string& text);
  void AddCheckItem(const std::string& text, bool checked);
  void AddCheckItems(const std::vector<TCheckItem>& items);
  void AddListItem(const std::string& text);
  void AddRow(const std::string& variable, const std::string& value);
  // Shows the box modally; returns when it is closed.
  void ShowModal();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND title_ = nullptr, subTitle_ = nullptr;
  HWND memo_ = nullptr, checkList_ = nullptr, listBox_ = nullptr, listView_ = nullptr;
  TNotebookPage page_ = nbListView;  // the notebook's stored page
  bool closed_ = false;
};

}  // namespace nsx::ui

// The overview's image list `img`: small pictures by the indices the pages
// name (0 the computer, 1 system, 2 display, ... 41 processor).
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace nsx::ui {

constexpr int kOverviewImageCount = 42;

// Made on first use and kept for the process (an image list owned by no
// control, so that several lists and trees can share it).
HIMAGELIST OverviewImages();

// Gives a report list the shared pictures as its small icons; the list
// leaves them alone when it is destroyed.
void SetSharedImages(HWND list);

}  // namespace nsx::ui

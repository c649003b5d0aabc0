// The overview's 16 x 16 icons of list rows, by their index in the image
// list (the pictures are drawn here; an index without one is transparent).
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace nsx::ui {

constexpr int kOverviewImageCount = 42;

// A new image list with every icon; the list view it is given to as its
// small image list destroys it with itself.
HIMAGELIST CreateOverviewImageList();

}  // namespace nsx::ui

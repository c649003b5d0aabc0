// The page objects of the overview, by page number.
#pragma once
#include <memory>

#include "OverviewPage.h"

namespace nsx::ui {

std::unique_ptr<TOverviewPage> CreateOverviewPage(int page);

}  // namespace nsx::ui

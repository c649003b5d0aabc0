// Constructors of the built pages (the others are plain sheets until their
// topics exist).
#pragma once
#include <memory>

#include "OverviewPage.h"

namespace nsx::ui {

std::unique_ptr<TOverviewPage> CreateAboutPage();
std::unique_ptr<TOverviewPage> CreateMachinePage();

}  // namespace nsx::ui

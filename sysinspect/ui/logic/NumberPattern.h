// Whole numbers written through a picture such as "#,##", "#,#0" or
// "Capacity: #,#0 B": '#' is an optional digit, '0' a required one, a ','
// among them asks for thousands separators, and any other character is
// copied as it stands. "#,##" writes zero as nothing, "#,#0" as "0".
#pragma once
#include <cstdint>
#include <string>

namespace nsx::ui {

std::string FormatNumber(const std::string& pattern, std::int64_t value, const std::string& thousandSeparator);
std::string FormatNumber(const std::string& pattern, std::uint64_t value, const std::string& thousandSeparator);

}  // namespace nsx::ui

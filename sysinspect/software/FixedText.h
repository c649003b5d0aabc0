// Text kept in a fixed-width field of a structure the system fills: the
// field's bytes up to a NUL within it, never past the field or the data.
#pragma once
#include <string>

#include "../platform/WinTypes.h"

namespace nsx {

inline std::string FixedFieldText(const platform::Bytes& data, std::size_t at, std::size_t width) {
  std::string text;
  for (std::size_t i = at; i < at + width && i < data.size() && data[i] != 0; ++i)
    text += static_cast<char>(data[i]);
  return text;
}

}  // namespace nsx

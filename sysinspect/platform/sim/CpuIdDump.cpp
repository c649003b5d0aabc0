#include "CpuIdDump.h"

#include <cctype>
#include <sstream>

#include "ProfileError.h"

namespace nsx::sim {
namespace {

bool ParseHex32(const std::string& token, std::uint32_t* value) {
  if (token.size() < 3 || token.size() > 10 || token[0] != '0' || (token[1] != 'x' && token[1] != 'X'))
    return false;
  std::uint32_t v = 0;
  for (size_t i = 2; i < token.size(); ++i) {
    char c = token[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    v = (v << 4) | static_cast<std::uint32_t>(digit);
  }
  *value = v;
  return true;
}

// "CPU 0:", "CPU 12:" or "CPU:" (the form of `cpuid -1 -r`).
bool IsCpuHeader(const std::string& line) {
  if (line.compare(0, 3, "CPU") != 0 || line.back() != ':') return false;
  std::string number = line.substr(3, line.size() - 4);
  size_t b = number.find_first_not_of(' ');
  if (b == std::string::npos) return true;
  for (size_t i = b; i < number.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(number[i]))) return false;
  return b > 0;
}

bool ParseRegister(const std::string& token, const char* name, std::uint32_t* value) {
  std::string prefix = std::string(name) + "=";
  return token.compare(0, prefix.size(), prefix) == 0 && ParseHex32(token.substr(prefix.size()), value);
}

}  // namespace

CpuIdLeaves ParseCpuIdDump(const std::string& text, const std::string& fileName, CpuIdSubleaves* subleaves) {
  CpuIdLeaves leaves;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  int headers = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t b = line.find_first_not_of(" \t");
    if (b == std::string::npos) continue;
    size_t e = line.find_last_not_of(" \t");
    line = line.substr(b, e - b + 1);
    if (IsCpuHeader(line)) {
      if (++headers > 1) break;  // the next processor: only the first is read
      continue;
    }
    std::istringstream tokens(line);
    std::string leafText, subText, a, bx, c, d, extra;
    tokens >> leafText >> subText >> a >> bx >> c >> d;
    std::uint32_t leaf = 0, sub = 0;
    platform::CpuIdRegisters regs;
    bool ok = !(tokens >> extra) && !subText.empty() && subText.back() == ':' &&
              ParseHex32(leafText, &leaf) && ParseHex32(subText.substr(0, subText.size() - 1), &sub) &&
              ParseRegister(a, "eax", &regs.eax) && ParseRegister(bx, "ebx", &regs.ebx) &&
              ParseRegister(c, "ecx", &regs.ecx) && ParseRegister(d, "edx", &regs.edx);
    if (!ok) throw ProfileError(fileName, number, "expected \"0xLEAF 0xSUB: eax=0x... ebx=0x... ecx=0x... edx=0x...\"");
    if (sub == 0) leaves.emplace(leaf, regs);  // the first line of a leaf counts
    else if (subleaves) subleaves->emplace(std::make_pair(leaf, sub), regs);
  }
  return leaves;
}

}  // namespace nsx::sim

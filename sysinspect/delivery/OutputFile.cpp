#include "OutputFile.h"

#include <cstdio>
#include <memory>

namespace nsx::delivery {

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  // C streams: the Windows programs carry no iostream machinery.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;  // not opened: whatever is there is not ours to remove
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  written = std::fclose(file.release()) == 0 && written;
  if (!written) std::remove(path.c_str());
  return written;
}

}  // namespace nsx::delivery

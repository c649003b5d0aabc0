#include "ShellLink.h"

#include "Runtime.h"

namespace nsx {

long ResolveShortcut(const std::string& fileName, std::string* path, std::string* arguments) {
  platform::ShellLinkInfo link = Machine().Shell().ReadShellLink(fileName);
  *path = link.path;
  *arguments = link.arguments;
  return link.result;
}

}  // namespace nsx

// sysinspect-report: gathers every topic and writes the report of all topics
// to a file, as the overview window saves it; and, when asked, makes the
// machine's OCS Inventory NG inventory and posts it to a server or writes
// it to a file.
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "../core/NSX_GUI.h"
#include "../core/Runtime.h"
#include "../delivery/Delivery.h"
#include "../delivery/OutputFile.h"
#include "../inventory/Inventory.h"
#include "ReportMachine.h"

namespace {

const char kUsage[] =
    "Usage: sysinspect-report [--profile DIR] [options] [FILE]\n"
    "\n"
    "Gathers the system profile and writes the report of all topics to FILE\n"
    "(default: the upper-cased computer name followed by \"_SystemInfo.xml\").\n"
    "The file holds ANSI text with CR LF line ends, as the overview window saves it.\n"
    "Errors while gathering are printed one line each on standard output.\n"
    "\n"
    "Inventory for an OCS Inventory NG server (see docs/fleet.md); with either of\n"
    "the first two and no FILE, no report is written:\n"
    "  --server URL          post the inventory to URL (http://host[:port]/ocsinventory;\n"
    "                        HTTPS is not supported)\n"
    "  --inventory-file FILE write the inventory to FILE, for a machine without a\n"
    "                        network (ocsinventory-injector.pl -f FILE sends it later)\n"
    "  --tag TAG             the TAG the server files the machine under\n"
    "  --device-id ID        send ID (NAME-YYYY-MM-DD-hh-mm-ss) as the device id\n"
    "  --timeout SECONDS     bound of each wait on the server (default: 10 s to\n"
    "                        connect, 30 s to send, 60 s for the answer)\n"
    "\n"
    "On Windows the running machine is gathered. Elsewhere a simulated machine is\n"
    "read from a profile directory (machine.ini, environment.txt, registry.reg;\n"
    "see docs/profile.md):\n"
    "  --profile DIR   gather the simulated machine described in DIR\n"
    "  --timings       print the time each step took (and, where the system tells,\n"
    "                  the peak memory after it) on standard error\n"
    "  --help          show this text\n"
    "\n"
    "Exit status: 0 done, 1 a file cannot be written, 2 bad arguments or profile,\n"
    "3 cannot reach the server (unknown host, connection refused or lost),\n"
    "4 the server refused the inventory (HTTP status or reply), 5 the server did\n"
    "not answer in time. On a failure nothing is written.\n";

// The steps' times and the process's peak memory, for measurements.
class StepTimer {
 public:
  explicit StepTimer(bool enabled)
      : enabled_(enabled), start_(std::chrono::steady_clock::now()), cpuStart_(std::clock()) {}
  // The step's elapsed time, then the processor time it used.
  void Step(const char* name) {
    if (!enabled_) return;
    auto now = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    std::fprintf(stderr, "timing: %-9s %8.3f s elapsed %8.3f s cpu%s\n", name,
                 std::chrono::duration<double>(now - start_).count(),
                 static_cast<double>(cpu - cpuStart_) / CLOCKS_PER_SEC, PeakMemory().c_str());
    start_ = std::chrono::steady_clock::now();
    cpuStart_ = std::clock();
  }

 private:
  // VmHWM where /proc tells it, else nothing (C streams: the program
  // carries no iostream machinery for this).
  static std::string PeakMemory() {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> status(std::fopen("/proc/self/status", "r"), &std::fclose);
    if (!status) return {};
    char line[256];
    unsigned long kilobytes = 0;
    while (std::fgets(line, sizeof line, status.get()))
      if (std::sscanf(line, "VmHWM: %lu kB", &kilobytes) == 1) return ", peak memory " + std::to_string(kilobytes) + " kB";
    return {};
  }

  bool enabled_;
  std::chrono::steady_clock::time_point start_;
  std::clock_t cpuStart_;
};

int Usage(const char* problem) {
  std::fprintf(stderr, "sysinspect-report: %s\n%s", problem, kUsage);
  return 2;
}

// Exit statuses (the usage text names them).
enum ExitStatus {
  kDone = 0,
  kCannotWrite = 1,
  kBadArguments = 2,
  kCannotConnect = 3,
  kRefused = 4,
  kNoAnswer = 5,
};

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "sysinspect-report: %s\n", message.c_str());
  return status;
}

int DeliveryStatus(nsx::delivery::TDeliveryOutcome outcome) {
  switch (outcome) {
    case nsx::delivery::TDeliveryOutcome::stored: return kDone;
    case nsx::delivery::TDeliveryOutcome::cannotConnect: return kCannotConnect;
    case nsx::delivery::TDeliveryOutcome::refused: return kRefused;
    case nsx::delivery::TDeliveryOutcome::noAnswer: return kNoAnswer;
  }
  return kRefused;
}

// What the command line asks for besides the machine to gather.
struct Request {
  bool timings = false;
  std::string server;         // --server URL
  std::string inventoryFile;  // --inventory-file FILE
  nsx::inventory::InventoryOptions inventory;
  nsx::delivery::TDeliveryLimits limits;
  bool WantsInventory() const { return !server.empty() || !inventoryFile.empty(); }
};

// SECONDS of --timeout: a whole number from 1 to 3600.
bool ParseSeconds(const std::string& text, unsigned& seconds) {
  if (text.empty() || text.size() > 4) return false;
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value < 1 || value > 3600) return false;
  seconds = value;
  return true;
}

// Everything made in memory: the report (when asked for) and the inventory.
// Each failure is one line on standard error; nothing is written then.
int Run(const nsx::app::ReportOptions& options, const Request& request,
        const std::optional<nsx::delivery::THttpUrl>& server, StepTimer& timer) {
  bool wantsReport = !options.output.empty() || !request.WantsInventory();
  std::string output = options.output.empty() ? nsx::OSInfo().MachineName + "_SystemInfo.xml" : options.output;

  timer.Step("start");
  nsx::TNSystemInfo info;
  info.Refresh();
  timer.Step("gather");
  std::string reportText;
  if (wantsReport) {
    nsx::TReportList list;
    info.Report(list);
    reportText = list.Text();
    timer.Step("report");
  }
  std::string inventory;
  if (request.WantsInventory()) {
    inventory = nsx::inventory::BuildInventoryRequest(info, request.inventory);
    timer.Step("inventory");
  }
  if (server) {
    nsx::delivery::TDeliveryResult sent =
        nsx::delivery::DeliverInventory(nsx::platform::ConnectTcp, *server, inventory, request.limits);
    timer.Step("send");
    if (sent.outcome != nsx::delivery::TDeliveryOutcome::stored)
      return Fail(DeliveryStatus(sent.outcome), sent.message);
    std::printf("Inventory sent to %s: %s\n", request.server.c_str(), sent.message.c_str());
  }
  if (!request.inventoryFile.empty()) {
    if (!nsx::delivery::WriteWholeFile(request.inventoryFile, inventory))
      return Fail(kCannotWrite, "cannot write " + request.inventoryFile);
    std::printf("Inventory written to %s\n", request.inventoryFile.c_str());
  }
  if (wantsReport) {
    bool saved = nsx::delivery::WriteWholeFile(output, reportText);
    timer.Step("save");
    if (!saved) {
      // The run's files go together: no inventory file without its report.
      if (!request.inventoryFile.empty()) std::remove(request.inventoryFile.c_str());
      return Fail(kCannotWrite, "cannot write " + output);
    }
    std::printf("Report written to %s\n", output.c_str());
  }
  return kDone;
}

}  // namespace

int main(int argc, char** argv) {
  nsx::app::ReportOptions options;
  Request request;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    // The value of an option that takes one, or nothing when it is missing.
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      options.help = true;
    } else if (arg == "--timings") {
      request.timings = true;
    } else if (arg == "--profile") {
      if (!value(options.profile)) return Usage("--profile needs a directory");
    } else if (arg == "--server") {
      if (!value(request.server) || request.server.empty()) return Usage("--server needs an http:// address");
    } else if (arg == "--inventory-file") {
      if (!value(request.inventoryFile) || request.inventoryFile.empty())
        return Usage("--inventory-file needs a file name");
    } else if (arg == "--tag") {
      if (!value(request.inventory.tag)) return Usage("--tag needs a text");
    } else if (arg == "--device-id") {
      if (!value(request.inventory.deviceId) || request.inventory.deviceId.empty())
        return Usage("--device-id needs an id");
    } else if (arg == "--timeout") {
      std::string seconds;
      unsigned bound = 0;
      if (!value(seconds) || !ParseSeconds(seconds, bound))
        return Usage("--timeout needs a number of seconds from 1 to 3600");
      request.limits.connectSeconds = request.limits.sendSeconds = request.limits.answerSeconds = bound;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Usage(("unknown option " + arg).c_str());
    } else if (options.output.empty()) {
      options.output = arg;
    } else {
      return Usage("more than one output file given");
    }
  }
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (options.profile.empty() && !nsx::app::GathersRunningMachine())
    return Usage("--profile DIR is needed: this build gathers a simulated machine");
  // A wrong address is known before anything is gathered.
  std::optional<nsx::delivery::THttpUrl> server;
  if (!request.server.empty()) {
    nsx::delivery::TUrlParse parsed = nsx::delivery::ParseHttpUrl(request.server);
    if (!parsed.url) return Fail(kBadArguments, parsed.problem);
    server = parsed.url;
  }
  if (!request.WantsInventory() && (!request.inventory.tag.empty() || !request.inventory.deviceId.empty()))
    return Usage("--tag and --device-id need --server or --inventory-file");

  StepTimer timer(request.timings);
  try {
    nsx::StartUp(nsx::app::CreateReportMachine(options));
  } catch (const std::exception& error) {
    return Fail(kBadArguments, error.what());
  }
  int status = kDone;
  try {
    status = Run(options, request, server, timer);
  } catch (const std::exception& error) {
    status = Fail(kCannotWrite, error.what());
  }
  nsx::ShutDown();
  return status;
}

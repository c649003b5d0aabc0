// sysinspect-report: gathers every topic and writes the report of all topics
// to a file, as the overview window saves it.
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "../core/NSX_GUI.h"
#include "../core/Runtime.h"
#include "ReportMachine.h"

namespace {

const char kUsage[] =
    "Usage: sysinspect-report [--profile DIR] [FILE]\n"
    "\n"
    "Gathers the system profile and writes the report of all topics to FILE\n"
    "(default: the upper-cased computer name followed by \"_SystemInfo.xml\").\n"
    "The file holds ANSI text with CR LF line ends, as the overview window saves it.\n"
    "Errors while gathering are printed one line each on standard output.\n"
    "\n"
    "On Windows the running machine is gathered. Elsewhere a simulated machine is\n"
    "read from a profile directory (machine.ini, environment.txt, registry.reg;\n"
    "see docs/profile.md):\n"
    "  --profile DIR   gather the simulated machine described in DIR\n"
    "  --timings       print the time each step took (and, where the system tells,\n"
    "                  the peak memory after it) on standard error\n"
    "  --help          show this text\n"
    "\n"
    "Exit status: 0 written, 1 the file cannot be written, 2 bad arguments or profile.\n";

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
    std::fprintf(stderr, "timing: %-7s %8.3f s elapsed %8.3f s cpu%s\n", name,
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

}  // namespace

int main(int argc, char** argv) {
  nsx::app::ReportOptions options;
  bool timings = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      options.help = true;
    } else if (arg == "--timings") {
      timings = true;
    } else if (arg == "--profile") {
      if (i + 1 >= argc) return Usage("--profile needs a directory");
      options.profile = argv[++i];
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

  StepTimer timer(timings);
  try {
    nsx::StartUp(nsx::app::CreateReportMachine(options));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sysinspect-report: %s\n", error.what());
    return 2;
  }

  std::string output = options.output.empty() ? nsx::OSInfo().MachineName + "_SystemInfo.xml" : options.output;
  int status = 0;
  try {
    timer.Step("start");
    nsx::TNSystemInfo info;
    info.Refresh();
    timer.Step("gather");
    nsx::TReportList list;
    info.Report(list);
    timer.Step("report");
    bool saved = list.SaveToFile(output);
    timer.Step("save");
    if (saved) {
      std::printf("Report written to %s\n", output.c_str());
    } else {
      std::fprintf(stderr, "sysinspect-report: cannot write %s\n", output.c_str());
      status = 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sysinspect-report: %s\n", error.what());
    status = 1;
  }
  nsx::ShutDown();
  return status;
}

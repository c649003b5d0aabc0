// A profile that cannot be loaded: names the file and, where there is one,
// the line.
#pragma once
#include <stdexcept>
#include <string>

namespace nsx::sim {

class ProfileError : public std::runtime_error {
 public:
  ProfileError(std::string file, int line, const std::string& message)
      : std::runtime_error(Format(file, line, message)), file_(std::move(file)), line_(line) {}
  const std::string& File() const { return file_; }
  int Line() const { return line_; }

 private:
  static std::string Format(const std::string& file, int line, const std::string& message) {
    return line > 0 ? file + ":" + std::to_string(line) + ": " + message : file + ": " + message;
  }
  std::string file_;
  int line_;
};

}  // namespace nsx::sim

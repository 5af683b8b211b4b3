// TestFiles.cpp -- scratch files, error recorder, working-directory guard.
#include "TestFiles.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/ErrorMessage.h"

namespace {
std::vector<std::string> gRecorded;
void Record(const std::string& text) { gRecorded.push_back(text); }
}  // namespace

std::string MakeTempDir(const std::string& tag) {
  static int counter = 0;
  auto dir =
      std::filesystem::temp_directory_path() /
      ("courtball-" + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

ErrorRecorder::ErrorRecorder() {
  gRecorded.clear();
  SetErrorMessageHandler(Record);
}

ErrorRecorder::~ErrorRecorder() { SetErrorMessageHandler(nullptr); }

const std::vector<std::string>& ErrorRecorder::Messages() const { return gRecorded; }

ScopedWorkingDir::ScopedWorkingDir(const std::string& dir) {
  previous_ = std::filesystem::current_path().string();
  std::filesystem::current_path(dir);
}

ScopedWorkingDir::~ScopedWorkingDir() { std::filesystem::current_path(previous_); }

// TestFiles.h -- scratch folders and files, an error recorder, a working-directory guard.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ErrorMessage.h"

// A new empty folder; all of them go when the test program ends.
inline std::string MakeTempDir(const std::string& tag) {
  struct Root {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("courtball-test-" + std::to_string(getpid()));
    ~Root() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static Root root;
  static int counter = 0;
  const std::filesystem::path dir = root.path / (tag + "-" + std::to_string(counter++));
  std::filesystem::create_directories(dir);
  return dir.string();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Records the error messages shown during its lifetime.
class ErrorRecorder {
 public:
  ErrorRecorder() {
    Messages().clear();
    SetErrorMessageHandler([](const std::string& text) { Messages().push_back(text); });
  }
  ~ErrorRecorder() { SetErrorMessageHandler(nullptr); }
  static std::vector<std::string>& Messages() {
    static std::vector<std::string> messages;
    return messages;
  }
};

// Changes the working directory for its lifetime.
class ScopedWorkingDir {
 public:
  explicit ScopedWorkingDir(const std::string& dir) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~ScopedWorkingDir() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

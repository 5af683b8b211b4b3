// TestFiles.h -- scratch folders and files for tests, and an error recorder.
#pragma once
#include <string>
#include <vector>

// A new empty folder under the system temp dir, unique to this process.
std::string MakeTempDir(const std::string& tag);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// Installs a recorder as the error-message handler for its lifetime.
class ErrorRecorder {
 public:
  ErrorRecorder();
  ~ErrorRecorder();
  const std::vector<std::string>& Messages() const;
};

// Changes the working directory for its lifetime.
class ScopedWorkingDir {
 public:
  explicit ScopedWorkingDir(const std::string& dir);
  ~ScopedWorkingDir();

 private:
  std::string previous_;
};

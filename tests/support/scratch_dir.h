// A fresh, empty folder under the system's temporary folder, removed with
// everything in it when the owner goes.
#pragma once

#include <filesystem>
#include <string>

namespace velm::testing {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // name inside the folder, as the ANSI path the back ends take.
  std::string File(const std::string& name) const;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The file's bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace velm::testing

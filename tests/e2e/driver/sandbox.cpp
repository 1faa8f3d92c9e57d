#include "driver/sandbox.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

namespace e2e {

namespace {

std::string BaseName(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

testing::AssertionResult Sandbox::Create(const std::string& work_root, const std::string& name,
                                         const std::string& program, Sandbox* out) {
  Sandbox box;
  box.dir_ = work_root + "\\" + name;
  box.exe_ = box.dir_ + "\\" + BaseName(program);
  std::error_code error;
  std::filesystem::remove_all(box.dir_, error);
  if (error) {
    return testing::AssertionFailure() << "cannot wipe " << box.dir_ << ": " << error.message()
                                       << " (is a program from an earlier run still holding it?)";
  }
  std::filesystem::create_directories(box.dir_, error);
  if (error) {
    return testing::AssertionFailure() << "cannot create " << box.dir_ << ": " << error.message();
  }
  if (!CopyFileA(program.c_str(), box.exe_.c_str(), FALSE)) {
    return testing::AssertionFailure() << "cannot copy " << program << " to " << box.exe_
                                       << " (error " << GetLastError() << ")";
  }
  *out = std::move(box);
  return testing::AssertionSuccess();
}

testing::AssertionResult Sandbox::CreateForCurrentTest(const std::string& work_root,
                                                       const std::string& program, Sandbox* out) {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  if (info == nullptr) return testing::AssertionFailure() << "no test is running";
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  // Parameterised tests carry '/' in their names.
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return Create(work_root, name, program, out);
}

}  // namespace e2e

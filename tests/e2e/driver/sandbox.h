// A fresh folder per test holding its own copy of the program, so every test
// starts without a velm.ini beside the executable and leaves nothing behind
// for the next one.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace e2e {

class Sandbox {
 public:
  // Makes work_root\name afresh (wiping what an earlier run left there) and
  // copies program into it under its own file name.
  static testing::AssertionResult Create(const std::string& work_root, const std::string& name,
                                         const std::string& program, Sandbox* out);

  // work_root\<suite>.<test> for the test that is running.
  static testing::AssertionResult CreateForCurrentTest(const std::string& work_root,
                                                       const std::string& program, Sandbox* out);

  const std::string& dir() const { return dir_; }
  const std::string& exe() const { return exe_; }
  std::string File(const std::string& name) const { return dir_ + "\\" + name; }

 private:
  std::string dir_;
  std::string exe_;
};

}  // namespace e2e

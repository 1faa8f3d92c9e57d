// The promises every ProfileBackend keeps, written once and run against the
// portable INI file on the host and the Windows functions under Wine. Each
// test program instantiates the suite with its back end:
//
//   INSTANTIATE_TEST_SUITE_P(Portable, ProfileContract,
//                            ::testing::Values(ProfileContractParam{...}));
#pragma once

#include <functional>
#include <memory>
#include <ostream>

#include <gtest/gtest.h>

#include "profile_backend.h"
#include "scratch_dir.h"

namespace velm::testing {

struct ProfileContractParam {
  const char* name;
  std::function<std::unique_ptr<ProfileBackend>()> make;
  // The Windows functions write a CR or LF inside a value raw (it then ends
  // the line); the settings document drops them.
  bool writes_line_breaks_raw;
  // The settings document encloses a value that reading would trim or
  // unquote in a pair of quotes; the Windows functions write it as it is.
  bool keeps_ends;
};

inline void PrintTo(const ProfileContractParam& param, std::ostream* os) {
  *os << param.name;
}

class ProfileContract : public ::testing::TestWithParam<ProfileContractParam> {
 protected:
  void SetUp() override { backend_ = GetParam().make(); }

  ProfileBackend& backend() { return *backend_; }
  const std::string& ini() const { return ini_; }

  ScratchDir dir_;
  std::string ini_ = dir_.File("velm.ini");
  std::unique_ptr<ProfileBackend> backend_;
};

}  // namespace velm::testing

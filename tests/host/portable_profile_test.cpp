// What the portable INI file promises beyond the shared contract.
#include <filesystem>

#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "document_profile.h"
#include "scratch_dir.h"

namespace velm::testing {
namespace {

namespace fs = std::filesystem;

class PortableProfileTest : public ::testing::Test {
 protected:
  ScratchDir dir_;
  std::string ini_ = dir_.File("velm.ini");
  PortableProfile profile_;
};

TEST_F(PortableProfileTest, ReplacesTheFileWholeAndLeavesNothingBeside) {
  ASSERT_TRUE(profile_.Write(ini_, "FORM", "TOP", "1"));
  ASSERT_TRUE(profile_.Write(ini_, "FORM", "TOP", "2"));
  profile_.Delete(ini_, "FORM", "TOP");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir_.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"velm.ini"});
}

TEST_F(PortableProfileTest, AFileThatCannotBeReplacedKeepsItsContent) {
  const std::string before = "[FORM]\r\nTOP=1\r\n";
  WriteBytes(ini_, before);

  fs::permissions(ini_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(profile_.Write(ini_, "FORM", "TOP", "2")) << "read-only file";
  profile_.Delete(ini_, "FORM", "TOP");
  EXPECT_EQ(ReadBytes(ini_), before);
  fs::permissions(ini_, fs::perms::owner_write, fs::perm_options::add);

  fs::create_directory(ini_ + ".new");  // the temporary file cannot be made
  EXPECT_FALSE(profile_.Write(ini_, "FORM", "TOP", "3"));
  EXPECT_EQ(ReadBytes(ini_), before);
}

TEST_F(PortableProfileTest, NeverReplacesWhatItCouldNotRead) {
  fs::create_directory(ini_);
  EXPECT_EQ(profile_.Read(ini_, "FORM", "TOP"), "");
  EXPECT_FALSE(profile_.Write(ini_, "FORM", "TOP", "1"));
  EXPECT_TRUE(fs::is_directory(ini_));
}

TEST_F(PortableProfileTest, LinesItDoesNotChangeStayByteForByte) {
  WriteBytes(ini_, "\xEF\xBB\xBF; kept\n[FORM]\nTOP = 1 \n\n; next\r[OldUrl1]\r\nurl1=a\r\n");
  ASSERT_TRUE(profile_.Write(ini_, "FORM", "LEFT", "2"));
  EXPECT_EQ(ReadBytes(ini_),
            "\xEF\xBB\xBF; kept\r\n[FORM]\r\nTOP = 1 \r\nLEFT=2\r\n\r\n; next\r\n[OldUrl1]\r\n"
            "url1=a\r\n");
  EXPECT_EQ(profile_.Read(ini_, "FORM", "TOP"), "1");
  EXPECT_EQ(profile_.Read(ini_, "FORM", "; next"), "") << "comments are no keys";
}

// Lines of a file an editor saved with a byte-order mark: the document
// converts only what it writes, so the rest keeps every character, valid or
// not.
TEST_F(PortableProfileTest, AFileWithAByteOrderMarkKeepsItsEncodingAndEveryCharacter) {
  const std::string untouched =
      "[Notes]\r\nnote=한국어 😀 café ½\r\nbad=\xC0\xAF\xE3\x81\r\n[FORM]\r\n";
  const std::string added = "TOP=表\r\n";  // written as CP932, stored as UTF-8
  const auto utf16 = [](const std::string& utf8, bool big_endian) {
    std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : Utf8ToUtf16(utf8)) {
      const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
      bytes.append({big_endian ? high : low, big_endian ? low : high});
    }
    return bytes;
  };
  const std::pair<std::string, std::string> files[] = {
      {"\xEF\xBB\xBF" + untouched, "\xEF\xBB\xBF" + untouched + added},
      {utf16("[Notes]\r\nnote=한국어 😀 café ½\r\n[FORM]\r\n", false),
       utf16("[Notes]\r\nnote=한국어 😀 café ½\r\n[FORM]\r\n" + added, false)},
      {utf16("[FORM]\r\n", true), utf16("[FORM]\r\n" + added, true)}};
  for (const auto& [before, after] : files) {
    WriteBytes(ini_, before);
    ASSERT_TRUE(profile_.Write(ini_, "FORM", "TOP", "\x95\x5C"));
    EXPECT_EQ(ReadBytes(ini_), after);
    EXPECT_EQ(profile_.Read(ini_, "FORM", "TOP"), "\x95\x5C");
  }
}

}  // namespace
}  // namespace velm::testing

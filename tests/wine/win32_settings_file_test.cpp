// velm.ini through the Windows file functions: loads, whole replacements,
// the file's attributes, a read-only file, a rename that fails, and a folder
// that takes no temporary file.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/win32_handles.h"
#include "scratch_dir.h"
#include "stores/win32_file_replacement.h"
#include "stores/win32_settings_file.h"

namespace velm::testing {
namespace {

namespace fs = std::filesystem;

class Win32SettingsFileTest : public ::testing::Test {
 protected:
  DWORD Attributes() const { return GetFileAttributesA(ini_.c_str()); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path()))
      names.push_back(entry.path().filename().string());
    return names;
  }

  ScratchDir dir_;
  std::string ini_ = dir_.File("velm.ini");
  Win32SettingsFile file_;
};

TEST_F(Win32SettingsFileTest, LoadsWhatIsThereAndTellsMissingFromUnreadable) {
  std::string bytes = "stale";
  EXPECT_EQ(file_.Load(ini_, &bytes), FileState::kMissing);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(file_.Load(dir_.File("no folder\\velm.ini"), &bytes), FileState::kMissing);
  WriteBytes(ini_, std::string("[FORM]\r\n\0\xFF", 10));
  EXPECT_EQ(file_.Load(ini_, &bytes), FileState::kLoaded);
  EXPECT_EQ(bytes, std::string("[FORM]\r\n\0\xFF", 10));
  fs::create_directory(dir_.path() / "folder.ini");
  EXPECT_EQ(file_.Load(dir_.File("folder.ini"), &bytes), FileState::kUnreadable);
}

TEST_F(Win32SettingsFileTest, ReplacesWholeKeepsAttributesAndLeavesNothingBeside) {
  ASSERT_TRUE(file_.Replace(ini_, "[FORM]\r\nTOP=1\r\n"));
  EXPECT_EQ(ReadBytes(ini_), "[FORM]\r\nTOP=1\r\n");
  ASSERT_TRUE(SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(file_.Replace(ini_, "[FORM]\r\n"));
  EXPECT_EQ(ReadBytes(ini_), "[FORM]\r\n");
  EXPECT_TRUE(Attributes() & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Names(), std::vector<std::string>{"velm.ini"});
  EXPECT_FALSE(file_.Replace(dir_.File("no folder\\velm.ini"), "x"));
}

TEST_F(Win32SettingsFileTest, AReadOnlyFileIsNeverReplaced) {
  WriteBytes(ini_, "[FORM]\r\nTOP=1\r\n");
  ASSERT_TRUE(SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(file_.Writable(ini_));
  EXPECT_FALSE(file_.Replace(ini_, "[FORM]\r\nTOP=2\r\n"));
  EXPECT_EQ(ReadBytes(ini_), "[FORM]\r\nTOP=1\r\n");
  EXPECT_TRUE(Attributes() & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// velm.ini held open by another program that does not let it be deleted:
// the rename fails, and the temporary file goes again.
TEST_F(Win32SettingsFileTest, AFailedRenameLeavesTheOldFileAndNothingBeside) {
  WriteBytes(ini_, "[FORM]\r\nTOP=1\r\n");
  {
    const UniqueFile held(CreateFileA(ini_.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.valid());
    EXPECT_FALSE(file_.Replace(ini_, "[FORM]\r\nTOP=2\r\n"));
  }
  EXPECT_EQ(ReadBytes(ini_), "[FORM]\r\nTOP=1\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"velm.ini"});
}

// A write that fails must never be renamed over velm.ini: the file would be
// left short, and every backup with it. A view past 4 GiB is refused by its
// size before a byte is written; its pages are committed, never touched.
TEST_F(Win32SettingsFileTest, ARefusedWriteNeverTakesTheFilesPlace) {
  WriteBytes(ini_, "[FORM]\r\nTOP=1\r\n");
  constexpr std::size_t kSize = (std::size_t{1} << 32) + 1;
  struct Release {
    void operator()(void* view) const { VirtualFree(view, 0, MEM_RELEASE); }
  };
  const std::unique_ptr<void, Release> view(
      VirtualAlloc(nullptr, kSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(file_.Replace(ini_, std::string_view(static_cast<const char*>(view.get()), kSize)));
  EXPECT_EQ(ReadBytes(ini_), "[FORM]\r\nTOP=1\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"velm.ini"});
}

// Where no temporary file can be made beside velm.ini, as in a folder that
// takes no new file, the file is rewritten in place.
TEST_F(Win32SettingsFileTest, WithoutATemporaryFileTheFileIsRewrittenInPlace) {
  WriteBytes(ini_, "[FORM]\r\nTOP=1234567890\r\n");
  fs::create_directory(dir_.path() / "velm.ini.new");
  ASSERT_TRUE(file_.Replace(ini_, "[FORM]\r\nTOP=2\r\n"));
  EXPECT_EQ(ReadBytes(ini_), "[FORM]\r\nTOP=2\r\n") << "the longer old content is cut";
  fs::create_directory(dir_.path() / "new.ini.new");
  EXPECT_FALSE(file_.Replace(dir_.File("new.ini"), "x")) << "no file to rewrite";
}

// The file functions take a path of MAX_PATH characters or more only in its
// \\?\ form, while one shorter is taken as it is.
TEST(FileFunctionPath, APathOfMaxPathCharactersOrMoreTakesTheLongForm) {
  auto sized = [](std::u16string head, std::size_t length) {
    return head.resize(length, u'x'), head;
  };
  const std::u16string short_one = sized(u"C:\\", MAX_PATH - 1),
                       long_one = sized(u"C:\\", MAX_PATH),
                       share = sized(u"\\\\server\\share\\", MAX_PATH);
  const std::wstring prefixed = L"\\\\?\\" + std::wstring(long_one.begin(), long_one.end());
  EXPECT_EQ(FileFunctionPath(short_one), std::wstring(short_one.begin(), short_one.end()));
  EXPECT_EQ(FileFunctionPath(long_one), prefixed);
  EXPECT_EQ(FileFunctionPath(share), L"\\\\?\\UNC" + std::wstring(share.begin() + 1, share.end()));
  EXPECT_EQ(FileFunctionPath(u"\\\\?\\" + long_one), prefixed);
}

}  // namespace
}  // namespace velm::testing

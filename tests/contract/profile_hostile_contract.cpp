// velm.ini files no program of ours wrote: garbage, huge, odd line ends,
// repeated names. Every back end must read what can be read, write beside it
// without losing the rest, and neither crash nor hang. Run against the
// portable file and the Windows functions alike, so the two cannot drift.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>

#include "core/texts.h"
#include "profile_contract.h"

namespace velm::testing {
namespace {

struct Lookup {
  std::string section;
  std::string key;
  std::string value;
};

struct HostileFile {
  const char* what;
  std::string bytes;
  std::vector<Lookup> reads;
};

// Bytes of every value, CR, LF and zero among them, the same on every run.
std::string Garbage(std::size_t size) {
  std::mt19937 random(20240611);
  std::string bytes = "garbage\r\n";
  while (bytes.size() < size) bytes += static_cast<char>(random() & 0xFF);
  return bytes;
}

std::string TenMegabytes() {
  std::string bytes = "[FORM]\r\nTOP=5\r\n";
  for (int s = 0; bytes.size() < 10 * 1024 * 1024; ++s) {
    bytes += "[Section" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 100; ++k) {
      bytes += "key" + std::to_string(k) + "=http://example.com/" + std::to_string(s * 100 + k) +
               "/some/longer/path/to/fill/the/file\r\n";
    }
  }
  return bytes + "[Tail]\r\nkey=tail\r\n";
}

std::string HundredThousandLines() {
  std::string bytes = "[Big]\r\n";
  for (int i = 0; i < 100000; ++i) {
    const std::string n = std::to_string(i);
    bytes.append("k").append(n).append("=v").append(n).append("\r\n");
  }
  return bytes;
}

std::vector<HostileFile> HostileFiles() {
  const std::string long_value(100000, 'y');
  return {
      {"binary garbage",
       Garbage(64 * 1024) + "\r\n[Tail]\r\nkey=tail\r\n",
       {{"Tail", "key", "tail"}}},
      {"10 MB", TenMegabytes(), {{"FORM", "TOP", "5"}, {"Tail", "key", "tail"}}},
      {"100,000 lines", HundredThousandLines(), {{"Big", "k0", "v0"}, {"Big", "k99999", "v99999"}}},
      {"UTF-8 byte order mark", "\xEF\xBB\xBF[FORM]\r\nTOP=5\r\n", {{"FORM", "TOP", "5"}}},
      {"UTF-8 with overlong and cut sequences",
       "\xEF\xBB\xBF[S]\r\nover=\xC0\xAF\xE0\x80\xAF\r\ncut=\xE3\x81\r\nb=2\r\nend=\xF0\x9F\x98",
       {{"S", "b", "2"}}},
      {"LF line ends",
       "[FORM]\nTOP=5\nLEFT=6\n[OldUrl1]\nurl2=b\n",
       {{"FORM", "TOP", "5"}, {"FORM", "LEFT", "6"}, {"OldUrl1", "url2", "b"}}},
      {"CR line ends",
       "[FORM]\rTOP=5\rLEFT=6\r[OldUrl1]\rurl2=b\r",
       {{"FORM", "TOP", "5"}, {"FORM", "LEFT", "6"}, {"OldUrl1", "url2", "b"}}},
      {"repeated sections and keys: the first of each counts",
       "[S]\r\na=1\r\na=2\r\n[s]\r\na=3\r\nb=4\r\n[T]\r\nc=5\r\n",
       {{"S", "a", "1"}, {"S", "b", ""}, {"T", "c", "5"}}},
      {"lines of 100,000 bytes",
       "[S]\r\n" + std::string(100000, 'x') + "\r\nlong=" + long_value + "\r\nshort=ok\r\n",
       {{"S", "long", long_value.substr(0, 2047)}, {"S", "short", "ok"}}},
      {"names with blanks",
       "[ Old Url 1 ]\r\n my key = v w \r\n",
       {{"Old Url 1", "my key", "v w"}}},
      {"sections named like keys",
       "[FORM]\r\nTOP=1\r\n[TOP]\r\nFORM=2\r\n[url1=x]\r\nurl1=3\r\n",
       {{"FORM", "TOP", "1"}, {"TOP", "FORM", "2"}, {"url1=x", "url1", "3"}}},
      {"keys before the first section", "a=1\r\n[S]\r\nb=2\r\n", {{"S", "b", "2"}, {"S", "a", ""}}},
      {"no line end at the end", "[S]\r\nb=2", {{"S", "b", "2"}}},
      {"a zero byte inside a value",
       std::string("[S]\r\na=x\0y\r\nq=\"x\0y\"\r\nc=3\r\n", 26),
       {{"S", "a", "x"}, {"S", "q", "\"x"}, {"S", "c", "3"}}},
  };
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST_P(ProfileContract, HostileFilesAreReadAndWrittenWithoutLosingTheRest) {
  for (const HostileFile& file : HostileFiles()) {
    SCOPED_TRACE(file.what);
    WriteBytes(ini(), file.bytes);
    auto start = std::chrono::steady_clock::now();
    for (const Lookup& l : file.reads) EXPECT_EQ(backend().Read(ini(), l.section, l.key), l.value);
    const double read = SecondsSince(start);

    start = std::chrono::steady_clock::now();
    ASSERT_TRUE(backend().Write(ini(), "OldUrl1", "url1", "http://w/"));
    const double write = SecondsSince(start);
    EXPECT_EQ(backend().Read(ini(), "OldUrl1", "url1"), "http://w/");
    ASSERT_TRUE(backend().Write(ini(), "S", "b", "new"));
    EXPECT_EQ(backend().Read(ini(), "S", "b"), "new");
    for (const Lookup& l : file.reads) {
      if (l.section == "S" && l.key == "b") continue;
      EXPECT_EQ(backend().Read(ini(), l.section, l.key), l.value) << "lost by a write";
    }
    backend().Delete(ini(), "OldUrl1", "url1");
    EXPECT_EQ(backend().Read(ini(), "OldUrl1", "url1"), "");
    backend().Flush(ini());
    if (file.bytes.size() > 1000000) {
      std::cout << "hostile velm.ini, " << file.what << " (" << GetParam().name << "): reads "
                << read << " s, one write " << write << " s\n";
    }
  }
}

TEST_P(ProfileContract, AByteOrderMarkStaysAtTheStartOfTheFile) {
  WriteBytes(ini(), "\xEF\xBB\xBF[FORM]\r\nTOP=5\r\n");
  ASSERT_TRUE(backend().Write(ini(), "FORM", "LEFT", "6"));
  backend().Flush(ini());
  EXPECT_EQ(ReadBytes(ini()).substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(backend().Read(ini(), "FORM", "TOP"), "5");
  EXPECT_EQ(backend().Read(ini(), "FORM", "LEFT"), "6");
}

TEST_P(ProfileContract, ValuesAroundTheReadLimitKeepTheirFirst2047Bytes) {
  for (const std::size_t size : {2046u, 2047u, 2048u, 3000u}) {
    SCOPED_TRACE(size);
    std::string value;
    for (std::size_t i = 0; i < size; ++i) value += static_cast<char>('a' + i % 26);
    const std::string expected = value.substr(0, 2047);
    ASSERT_TRUE(backend().Write(ini(), "OldUrl1", "url1", value));
    EXPECT_EQ(backend().Read(ini(), "OldUrl1", "url1"), expected) << "written by the back end";
    WriteBytes(ini(), "[OldUrl1]\r\nurl1=" + value + "\r\n");
    EXPECT_EQ(backend().Read(ini(), "OldUrl1", "url1"), expected) << "found in the file";
  }
}

// What the fuzzer's round trip relies on: values with no blank at either end
// and no matching quote pair around them come back as written, whatever else
// they hold; blanks at the ends are lost on both back ends alike.
TEST_P(ProfileContract, OnlyBlanksAtTheEndsAndAQuotePairAreLostFromAValue) {
  const std::string full_width_space = "\x81\x40";
  const std::string hyo = text::kButtonSwitchView;  // 表 ends in 0x5C
  const std::string unchanged[] = {full_width_space + "x",
                                   "x" + full_width_space,
                                   "a\tb c",
                                   ";x",
                                   "[x]",
                                   "#x",
                                   "\"x",
                                   "x\"",
                                   "'x\"",
                                   hyo,
                                   hyo + "]",
                                   std::string("x").append(hyo, 0, 2),
                                   "=x=",
                                   "x\x7F",
                                   "\xA0x"};
  for (const std::string& value : unchanged) {
    ASSERT_TRUE(backend().Write(ini(), "S", "k", value));
    EXPECT_EQ(backend().Read(ini(), "S", "k"), value);
  }
  const std::pair<std::string, std::string> trimmed[] = {
      {"\tx", "x"},       {"x\t", "x"},   {" x ", "x"}, {"\x0Bx\x0C", "x"},
      {"\x1Ax\x1A", "x"}, {"\"x\"", "x"}, {"'x'", "x"}, {"\"\"", ""}};
  for (const auto& [value, read] : trimmed) {
    ASSERT_TRUE(backend().Write(ini(), "S", "k", value));
    EXPECT_EQ(backend().Read(ini(), "S", "k"), GetParam().keeps_ends ? value : read);
  }
}

TEST_P(ProfileContract, AFolderInPlaceOfTheFileReadsEmptyAndRefusesWrites) {
  std::filesystem::create_directory(ini());
  EXPECT_EQ(backend().Read(ini(), "FORM", "TOP"), "");
  EXPECT_FALSE(backend().Write(ini(), "FORM", "TOP", "1"));
  backend().Delete(ini(), "FORM", "TOP");
  backend().Flush(ini());
  EXPECT_TRUE(std::filesystem::is_directory(ini()));
}

}  // namespace
}  // namespace velm::testing

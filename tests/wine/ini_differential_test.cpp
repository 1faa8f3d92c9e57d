// The settings document against the private-profile functions. Generated
// velm.ini files (layouts, case, duplicates, quotes, comments, odd bytes,
// byte-order marks, long values, line breaks, empty and missing sections)
// each go through a start-up and a close twice: once one private-profile
// call per value, once as the program does it. Every key of both results is
// then read back through GetPrivateProfileStringA, and the window settings,
// the generation count and every preview are compared: they must agree.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>

#include "core/error.h"
#include "per_value_sequence.h"
#include "scratch_dir.h"
#include "stores/generations.h"
#include "stores/memory_registry.h"
#include "stores/settings.h"
#include "stores/startup_sequence.h"
#include "stores/win32_settings_file.h"
#include "win32_profile.h"

namespace velm::testing {
namespace {

using Texts = std::vector<std::string>;

struct Case {
  std::string bytes;
  Texts history;  // url1..url25, "" for absent
  WindowSettings close;
  std::set<std::string> sections;  // every section name the file spells
  std::set<std::string> keys;      // every key name it spells
};

// Builds velm.ini files from random pieces. Every choice comes from one
// seeded generator, so a failing case is the same on every run.
class CaseMaker {
 public:
  explicit CaseMaker(unsigned seed) : rng_(seed) {}

  Case Make() {
    Case c;
    const bool keys_before_sections = Chance(10);
    if (keys_before_sections) AddKeys(c, "");
    const int sections = Pick(0, 9);
    for (int i = 0; i < sections; ++i) AddSection(c);
    c.bytes = Encoded(c.bytes);
    for (int n = 1; n <= kHistoryValues; ++n) c.history.push_back(Chance(30) ? "" : Value(true));
    c.close = {Chance(50), Pick(-3000, 3000), Pick(-3000, 3000)};
    return c;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }
  template <typename T>
  const T& OneOf(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Pick(0, static_cast<int>(items.size()) - 1))];
  }

  std::string Spelled(std::string name) {
    switch (Pick(0, 3)) {
      case 0:
        for (char& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        break;
      case 1:
        for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        break;
      default:
        break;
    }
    return name;
  }

  std::string LineEnd() { return OneOf<std::string>({"\r\n", "\r\n", "\r\n", "\n", "\r"}); }
  std::string Blank() { return OneOf<std::string>({"", "", " ", "\t", "  \t"}); }

  // A value as an editor or another program might have left it.
  std::string Value(bool for_history) {
    static const std::vector<std::string> pieces = {
        "http://example.com/",
        "http://a.example/?q=1&r=2",
        "\x95\x5C\x83\x5C\x94\x5C",  // 表ソ能: trail bytes 0x5C
        "\x82\xA0\x82\xA2",          // あい
        "x=y",
        ";not a comment",
        "[not a section]",
        "%TEMP%\\dir",
        " spaced ",
        "\"quoted\"",
        "'single'",
        "\"half",
        "tab\there",
        "\xB1\xB2",  // half-width katakana
    };
    static const std::vector<std::string> odd = {
        "\x80", "\xA0", "\xFD\xFE\xFF", "\x81", "\x81\x7F", "\x85\x40", std::string("a\0b", 3),
    };
    std::string value;
    const int parts = Pick(1, 4);
    for (int i = 0; i < parts; ++i) value += OneOf(pieces);
    if (Chance(15)) value += OneOf(odd);
    if (Chance(8)) value = std::string(static_cast<std::size_t>(Pick(2040, 3100)), 'L') + value;
    if (Chance(5))
      value = std::string(static_cast<std::size_t>(Pick(2044, 2047)), 'c') + "\x95\x5C";
    if (for_history && Chance(5)) value += "\r\n[FORM]\r\nTOP=99";
    return value;
  }

  void AddKeys(Case& c, const std::string& section) {
    const bool generation = section.find("ldurl") != std::string::npos ||
                            section.find("LDURL") != std::string::npos ||
                            section.find("ldUrl") != std::string::npos;
    const int keys = Pick(0, generation ? 25 : 5);
    for (int i = 0; i < keys; ++i) {
      if (Chance(8)) c.bytes += Blank() + LineEnd();
      if (Chance(6))
        c.bytes += OneOf<std::string>({";", "#", "; url1=commented"}) + " note" + LineEnd();
      std::string name;
      if (generation || Chance(20)) {
        name = Spelled("url" + std::to_string(Chance(90) ? Pick(1, 25) : Pick(26, 30)));
      } else {
        name = OneOf<std::string>({"LSTFLAG", "TOP", "LEFT", "lstflag", "Top", "other"});
      }
      c.keys.insert(name);
      if (Chance(4)) {
        c.bytes += name + LineEnd();  // a key line without "="
        continue;
      }
      std::string value =
          generation ? Value(false)
                     : OneOf<std::string>({"0", "1", "-20", "0x20", "$FF", "2", "", "12px", " 7 "});
      c.bytes += Blank() + name + Blank() + "=" + Blank() + value + Blank() + LineEnd();
    }
  }

  void AddSection(Case& c) {
    std::string name = Chance(20) ? "FORM" : "OldUrl" + std::to_string(Pick(1, 7));
    name = Spelled(name);
    std::string header = "[" + name + "]";
    if (Chance(6)) {
      header = "[ " + name + " ]";
    } else if (Chance(4)) {
      header = "[" + name;  // no closing bracket: a key line, no header
      name.clear();
    } else if (Chance(4)) {
      header += " trailing";
    }
    if (!name.empty()) c.sections.insert(name);
    c.bytes += Blank() + header + LineEnd();
    AddKeys(c, name);
  }

  // Without a byte-order mark, or converted as an editor saves it.
  std::string Encoded(const std::string& ansi) {
    const int which = Pick(1, 10);
    if (which > 2) return ansi;
    const int length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    if (which == 1) {
      std::string bytes = "\xFF\xFE";
      bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
      return bytes;
    }
    const int utf8 =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(utf8), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, bytes.data(), utf8, nullptr, nullptr);
    return "\xEF\xBB\xBF" + bytes;
  }

  std::mt19937 rng_;
};

// Hand-made files for the layouts a random one reaches only rarely.
std::vector<Case> FixedCases() {
  const Texts history = {"http://one/", "", "http://three/", "\x95\x5C"};
  std::vector<Case> cases;
  auto add = [&](std::string bytes) {
    Case c;
    c.bytes = std::move(bytes);
    c.history = history;
    c.history.resize(kHistoryValues);
    c.close = {false, -5, 17};
    cases.push_back(std::move(c));
  };
  add("");                                                   // an empty file
  add("[FORM]\r\nLSTFLAG=0\r\n[OldUrl1]\r\n[OldUrl2]\r\n");  // empty sections
  add("[OldUrl1]\r\nurl1=first\r\n[oldurl1]\r\nurl1=second\r\nurl2=only here\r\n");
  add("[OldUrl1]\r\nurl1=a\r\nURL1=b\r\n[OldUrl2]\r\nurl1=\"\"\r\n[OldUrl3]\r\nurl1=''\r\n");
  add("\xEF\xBB\xBF[OldUrl1]\r\nurl1=\xE8\xA1\xA8\xE2\x82\xAC\xF0\x9F\x98\x80\r\n");  // 表, €, an
                                                                                      // emoji
  add(std::string(
      "\xFF\xFE[\0O\0l\0d\0U\0r\0l\0\x31\0]\0\r\0\n\0u\0r\0l\0\x31\0=\0\x68\x88\r\0\n\0", 48));
  add("[OldUrl1]\rurl1=cr\r[OldUrl2]\nurl1=lf\n\n\n[FORM]\r\n\r\nTOP=3");  // no end of line at the
                                                                           // end
  add("[OldUrl1]\r\nurl1=" + std::string(5000, 'x') + "\r\n[OldUrl2]\r\nurl1=\x81\r\n");
  add(std::string("[OldUrl1]\r\nurl1=zero\0inside\r\nurl2\r\n=no name\r\n", 44));
  return cases;
}

class IniDifferential : public ::testing::Test {
 protected:
  // Runs c both ways and adds every disagreement to differences_.
  void Run(const Case& c, const std::string& label) {
    ScratchDir reference_dir, document_dir;
    const std::string reference = reference_dir.File("velm.ini");
    const std::string document = document_dir.File("velm.ini");
    WriteBytes(reference, c.bytes);
    WriteBytes(document, c.bytes);
    label_ = label;
    case_ = &c;

    CompareGenerations(reference, document, "before the start-up");

    WindowSettings read_by_reference;
    const bool reference_ok =
        oracle::PerValueStartup(oracle_, reference, c.history, &read_by_reference);
    MemoryRegistry registry;
    for (int n = 1; n <= kHistoryValues; ++n) {
      if (!c.history[n - 1].empty()) registry.SetString(HistoryValueName(n), c.history[n - 1]);
    }
    StartupState state;
    bool document_ok = true;
    try {
      RunStartupSequence(
          file_, registry, document, [](const std::string&) {}, &state);
    } catch (const Error&) {
      document_ok = false;
    }
    Expect(reference_ok == document_ok, "start-up wrote", std::to_string(reference_ok),
           std::to_string(document_ok));
    Expect(read_by_reference.list_flag == state.window.list_flag &&
               read_by_reference.top == state.window.top &&
               read_by_reference.left == state.window.left,
           "window settings read",
           std::to_string(read_by_reference.list_flag) + "," +
               std::to_string(read_by_reference.top) + "," + std::to_string(read_by_reference.left),
           std::to_string(state.window.list_flag) + "," + std::to_string(state.window.top) + "," +
               std::to_string(state.window.left));
    CompareKeys(reference, document, "after the start-up");
    CompareGenerations(reference, document, "after the start-up");

    const bool closed_by_reference = oracle::PerValueClose(oracle_, reference, c.close);
    bool closed_by_document = true;
    try {
      SaveWindowSettings(file_, document, c.close);
    } catch (const Error&) {
      closed_by_document = false;
    }
    Expect(closed_by_reference == closed_by_document, "close wrote",
           std::to_string(closed_by_reference), std::to_string(closed_by_document));
    CompareKeys(reference, document, "after the close");
  }

  void CompareKeys(const std::string& reference, const std::string& document, const char* when) {
    std::set<std::string> sections = case_->sections;
    sections.insert("FORM");
    for (int k = 1; k <= kGenerations; ++k) sections.insert(GenerationSection(k));
    std::set<std::string> keys = case_->keys;
    for (const char* key : {"LSTFLAG", "TOP", "LEFT"}) keys.insert(key);
    for (int n = 1; n <= kHistoryValues; ++n) keys.insert(HistoryValueName(n));
    for (const std::string& section : sections) {
      for (const std::string& key : keys) {
        Expect(oracle_.Read(reference, section, key) == oracle_.Read(document, section, key),
               std::string(when) + ": [" + section + "] " + key,
               oracle_.Read(reference, section, key), oracle_.Read(document, section, key));
      }
    }
  }

  void CompareGenerations(const std::string& reference, const std::string& document,
                          const char* when) {
    const Settings settings(file_, document);
    const int count = oracle::PerValueCount(oracle_, reference);
    Expect(count == CountGenerations(settings.document()), std::string(when) + ": count",
           std::to_string(count), std::to_string(CountGenerations(settings.document())));
    for (int k = 1; k <= kRestorableGenerations; ++k) {
      const Texts expected = oracle::PerValueGeneration(oracle_, reference, k);
      const Texts actual = ReadGeneration(settings.document(), k);
      Expect(expected == actual, std::string(when) + ": preview of generation " + std::to_string(k),
             Joined(expected), Joined(actual));
    }
  }

  void Expect(bool same, const std::string& what, const std::string& reference,
              const std::string& document) {
    ++comparisons_;
    if (same) return;
    std::size_t from = 0;  // a little before the first byte that differs
    while (from < reference.size() && from < document.size() && reference[from] == document[from])
      ++from;
    from = from > 20 ? from - 20 : 0;
    differences_.push_back(label_ + ", " + what + ", from byte " + std::to_string(from) +
                           ": private-profile \"" + Shown(reference.substr(from)) +
                           "\", document \"" +
                           Shown(document.substr(std::min(from, document.size()))) + "\"");
  }

  static std::string Joined(const Texts& texts) {
    std::string joined;
    for (const std::string& t : texts) joined += t + "|";
    return joined;
  }

  // Bytes outside printable ASCII as \xNN, long runs shortened.
  static std::string Shown(const std::string& text) {
    std::ostringstream out;
    for (std::size_t i = 0; i < text.size() && i < 120; ++i) {
      const auto ch = static_cast<unsigned char>(text[i]);
      if (ch >= 0x20 && ch < 0x7F) {
        out << text[i];
      } else {
        out << "\\x" << std::hex << static_cast<int>(ch) << std::dec;
      }
    }
    if (text.size() > 120) out << "...(" << text.size() << " bytes)";
    return out.str();
  }

  Win32Profile oracle_;
  Win32SettingsFile file_;
  std::string label_;
  const Case* case_ = nullptr;
  int comparisons_ = 0;
  Texts differences_;
};

TEST_F(IniDifferential, StartUpsAndClosesAgreeWithThePrivateProfileFunctions) {
  const std::vector<Case> fixed = FixedCases();
  for (std::size_t i = 0; i < fixed.size(); ++i) Run(fixed[i], "fixed case " + std::to_string(i));
  constexpr unsigned kSeed = 20261207;
  constexpr int kGenerated = 60;
  CaseMaker maker(kSeed);
  for (int i = 0; i < kGenerated; ++i) {
    const Case c = maker.Make();
    Run(c, "generated case " + std::to_string(i));
  }
  std::cout << "differential: " << fixed.size() + kGenerated << " files, " << comparisons_
            << " comparisons, " << differences_.size() << " differences\n";
  for (const std::string& difference : differences_) ADD_FAILURE() << difference;
}

}  // namespace
}  // namespace velm::testing

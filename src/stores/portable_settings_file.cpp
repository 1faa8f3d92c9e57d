#include "stores/portable_settings_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace velm {

namespace fs = std::filesystem;

namespace {

constexpr char16_t kByteArea = 0xF700;

bool IsWritable(fs::perms perms) {
  return (perms & fs::perms::owner_write) != fs::perms::none;
}

}  // namespace

FileState PortableSettingsFile::Load(const std::string& path, std::string* bytes) {
  bytes->clear();
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return FileState::kMissing;
  if (ec || status.type() != fs::file_type::regular) return FileState::kUnreadable;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileState::kUnreadable;
  // In one read of the size the file has: copying through stream iterators
  // goes a byte at a time.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return FileState::kUnreadable;
  in.seekg(0, std::ios::beg);
  bytes->resize(static_cast<std::size_t>(size));
  in.read(bytes->data(), size);
  bytes->resize(static_cast<std::size_t>(in.gcount()));
  return in.bad() ? FileState::kUnreadable : FileState::kLoaded;
}

bool PortableSettingsFile::Writable(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return true;
  return status.type() == fs::file_type::regular && IsWritable(status.permissions());
}

bool PortableSettingsFile::WriteTemporary(const std::string& temp_path, std::string_view bytes) {
  std::ofstream out(temp_path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

// Writes bytes to a temporary file beside path and renames it over path; a
// failure leaves path as it was and removes the temporary file.
bool PortableSettingsFile::Replace(const std::string& path, std::string_view bytes) {
  if (!Writable(path)) return false;
  std::error_code ec;
  const fs::file_status old = fs::status(path, ec);
  const bool existed = old.type() == fs::file_type::regular;

  const std::string temp = path + ".new";
  if (!WriteTemporary(temp, bytes)) {
    // What a failed write left behind; a folder of that name is not ours.
    if (fs::is_regular_file(temp, ec)) fs::remove(temp, ec);
    return false;
  }
  if (existed) fs::permissions(temp, old.permissions(), ec);
  fs::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  return true;
}

// Each byte outside ASCII goes to a code point of the private use area and
// comes back from it, so text the program wrote reads back byte for byte.
std::u16string PortableSettingsFile::Widen(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (char c : ansi) {
    const auto byte = static_cast<unsigned char>(c);
    out += static_cast<char16_t>(byte < 0x80 ? byte : kByteArea + byte);
  }
  return out;
}

std::string PortableSettingsFile::Narrow(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t c = wide[i];
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c >= kByteArea + 0x80 && c <= kByteArea + 0xFF) {
      out += static_cast<char>(c - kByteArea);
    } else {
      // A pair of surrogates is one character.
      if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size()) ++i;
      out += '?';
    }
  }
  return out;
}

}  // namespace velm

#include "stores/portable_profile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/ansi_text.h"
#include "stores/ini_document.h"

namespace velm {

namespace fs = std::filesystem;

namespace {

enum class FileState { kMissing, kLoaded, kUnreadable };

FileState LoadFile(const std::string& path, std::string* bytes) {
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

bool IsWritable(fs::perms perms) {
  return (perms & fs::perms::owner_write) != fs::perms::none;
}

bool HoldsLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

std::string PortableProfile::Read(const std::string& path, std::string_view section,
                                  std::string_view key) {
  std::string bytes;
  if (LoadFile(path, &bytes) != FileState::kLoaded) return {};
  std::string value = IniDocument::Parse(bytes).Find(section, key).value_or("");
  value.resize(CutLength(value, kMaxProfileValueBytes));
  return value;
}

bool PortableProfile::Write(const std::string& path, std::string_view section, std::string_view key,
                            std::string_view value) {
  if (HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value)) return false;
  std::string bytes;
  const FileState state = LoadFile(path, &bytes);
  // Never replace a file whose content could not be read.
  if (state == FileState::kUnreadable) return false;
  IniDocument doc = IniDocument::Parse(bytes);
  doc.Set(section, key, value);
  std::string changed = doc.Serialize();
  if (state == FileState::kLoaded && changed == bytes) return true;
  return ReplaceFile(path, changed);
}

void PortableProfile::Delete(const std::string& path, std::string_view section,
                             std::string_view key) {
  std::string bytes;
  if (LoadFile(path, &bytes) != FileState::kLoaded) return;
  IniDocument doc = IniDocument::Parse(bytes);
  if (doc.Remove(section, key)) ReplaceFile(path, doc.Serialize());
}

void PortableProfile::Flush(const std::string&) {}

bool PortableProfile::WriteTemporary(const std::string& temp_path, std::string_view bytes) {
  std::ofstream out(temp_path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

// Writes bytes to a temporary file beside path and renames it over path; a
// failure leaves path as it was and removes the temporary file.
bool PortableProfile::ReplaceFile(const std::string& path, const std::string& bytes) {
  std::error_code ec;
  const fs::file_status old = fs::status(path, ec);
  const bool existed = old.type() == fs::file_type::regular;
  // A read-only velm.ini stays as it is, as with the Windows functions.
  if (existed && !IsWritable(old.permissions())) return false;

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

}  // namespace velm

#include "stores/win32_settings_file.h"

#include <windows.h>

#include <limits>

#include "core/ansi_text.h"
#include "core/win32_handles.h"
#include "stores/file_replacement.h"

namespace velm {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The path is ANSI text; the wide functions take any folder name.
std::wstring WidePath(const std::string& path) {
  const std::u16string wide = Utf8ToUtf16(AnsiToUtf8(path));
  return {wide.begin(), wide.end()};
}

UniqueFile OpenExisting(const std::wstring& path, DWORD access, DWORD share) {
  return UniqueFile(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<DWORD>::max()) return false;
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool RewriteInPlace(const std::wstring& path, std::string_view bytes) {
  UniqueFile file = OpenExisting(path, GENERIC_WRITE, FILE_SHARE_READ);
  if (!file) return false;
  return WriteAll(file.get(), bytes) && SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
}

}  // namespace

FileState Win32SettingsFile::Load(const std::string& path, std::string* bytes) {
  bytes->clear();
  UniqueFile file = OpenExisting(WidePath(path), GENERIC_READ, kShareAll);
  if (!file) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return missing ? FileState::kMissing : FileState::kUnreadable;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > std::numeric_limits<DWORD>::max()) {
    return FileState::kUnreadable;
  }
  bytes->resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes->empty() &&
      !ReadFile(file.get(), bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr)) {
    bytes->clear();
    return FileState::kUnreadable;
  }
  bytes->resize(read);
  return FileState::kLoaded;
}

bool Win32SettingsFile::Writable(const std::string& path) {
  const std::wstring wide = WidePath(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // a new file
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
  return OpenExisting(wide, GENERIC_WRITE, kShareAll).valid();
}

namespace {

StepResult Classify(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                 error == ERROR_LOCK_VIOLATION
             ? StepResult::kBusy
             : StepResult::kFailed;
}

class Win32Steps : public ReplacementSteps {
 public:
  // attributes: the old file's, or INVALID_FILE_ATTRIBUTES for a new file.
  explicit Win32Steps(DWORD attributes) : attributes_(attributes) {}

  // Whether the last attempt could not even create the temporary file.
  bool temporary_refused() const { return temporary_refused_; }

  StepResult WriteTemporary(const std::string& temp, std::string_view bytes) override {
    UniqueFile out(CreateFileW(WidePath(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    temporary_refused_ = !out;
    if (!out) return Classify(GetLastError());
    // On the disk before the rename, so the name never points at content
    // that a power cut could still take away.
    return WriteAll(out.get(), bytes) && FlushFileBuffers(out.get()) ? StepResult::kDone
                                                                     : StepResult::kFailed;
  }

  StepResult MoveOver(const std::string& temp, const std::string& target) override {
    const std::wstring wide_temp = WidePath(temp);
    if (attributes_ != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(wide_temp.c_str(), attributes_);
    // One rename. Not ReplaceFileW: Wine's moves the old file away and
    // deletes it before it renames the new one in, so a process ended
    // between the two leaves no velm.ini at all.
    if (MoveFileExW(wide_temp.c_str(), WidePath(target).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return StepResult::kDone;
    }
    return Classify(GetLastError());
  }

  void Remove(const std::string& temp) override {
    if (temporary_refused_) return;  // whatever holds that name is not ours
    const std::wstring wide_temp = WidePath(temp);
    SetFileAttributesW(wide_temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(wide_temp.c_str());
  }

  void Pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }

 private:
  DWORD attributes_;
  bool temporary_refused_ = false;
};

}  // namespace

bool Win32SettingsFile::Replace(const std::string& path, std::string_view bytes) {
  if (!Writable(path)) return false;
  const std::wstring target = WidePath(path);
  Win32Steps steps(GetFileAttributesW(target.c_str()));
  if (ReplaceThroughTemporary(steps, path, bytes)) return true;
  const bool existed = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  return steps.temporary_refused() && existed && RewriteInPlace(target, bytes);
}

}  // namespace velm

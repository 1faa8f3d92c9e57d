#include "stores/win32_file_replacement.h"

#include <limits>
#include <utility>

#include "core/win32_handles.h"
#include "stores/file_replacement.h"

namespace velm {

std::wstring FileFunctionPath(const std::u16string& path) {
  std::wstring wide(path.begin(), path.end());
  if (wide.size() < MAX_PATH || wide.starts_with(L"\\\\?\\")) return wide;
  if (wide.starts_with(L"\\\\")) return L"\\\\?\\UNC" + wide.substr(1);  // \\server\share
  return L"\\\\?\\" + wide;
}

bool HeldByAnother(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<DWORD>::max()) return false;
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

class Win32Steps : public ReplacementSteps {
 public:
  explicit Win32Steps(const std::u16string& target)
      : target_(FileFunctionPath(target)),
        temp_(FileFunctionPath(target + u".new")),
        attributes_(GetFileAttributesW(target_.c_str())) {}

  StepResult WriteTemporary(std::string_view bytes) override {
    UniqueFile out(CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    // A scanner on a temporary file of an earlier try lets go of it soon;
    // a folder that denies new files does not change its mind.
    if (!out) return HeldByAnother(GetLastError()) ? StepResult::kBusy : StepResult::kRefused;
    // On the disk before the rename, so the name never points at content
    // that a power cut could still take away.
    return WriteAll(out.get(), bytes) && FlushFileBuffers(out.get()) ? StepResult::kDone
                                                                     : StepResult::kFailed;
  }

  StepResult MoveOver() override {
    if (attributes_ != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(temp_.c_str(), attributes_);
    // One rename. Not ReplaceFileW: Wine's moves the old file away and
    // deletes it before it renames the new one in, so a process ended
    // between the two leaves no velm.ini at all.
    if (MoveFileExW(temp_.c_str(), target_.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return StepResult::kDone;
    }
    // A file held open without leave to delete it denies the rename access.
    const DWORD error = GetLastError();
    return HeldByAnother(error) || error == ERROR_ACCESS_DENIED ? StepResult::kBusy
                                                                : StepResult::kFailed;
  }

  void Remove() override {
    SetFileAttributesW(temp_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temp_.c_str());
  }

  void Pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }

 private:
  std::wstring target_;
  std::wstring temp_;
  DWORD attributes_;  // the old file's, or INVALID_FILE_ATTRIBUTES for a new file
};

class Win32InPlaceFile : public InPlaceFile {
 public:
  explicit Win32InPlaceFile(const std::wstring& path)
      : file_(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

  bool Size(std::uint64_t* size) override {
    LARGE_INTEGER length{};
    if (!file_ || !GetFileSizeEx(file_.get(), &length)) return false;
    *size = static_cast<std::uint64_t>(length.QuadPart);
    return true;
  }
  bool Resize(std::uint64_t size) override { return MoveTo(size) && SetEndOfFile(file_.get()); }
  bool WriteAt(std::uint64_t offset, std::string_view bytes) override {
    return MoveTo(offset) && WriteAll(file_.get(), bytes);
  }
  bool Flush() override { return FlushFileBuffers(file_.get()); }

 private:
  bool MoveTo(std::uint64_t offset) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file_.get(), at, nullptr, FILE_BEGIN);
  }

  UniqueFile file_;
};

}  // namespace

bool ReplaceFileBytes(const std::u16string& path, std::string_view bytes) {
  Win32Steps steps(path);
  const StepResult result = ReplaceThroughTemporary(steps, bytes);
  if (result != StepResult::kRefused) return result == StepResult::kDone;
  Win32InPlaceFile file(FileFunctionPath(path));
  return RewriteInPlace(file, bytes);
}

}  // namespace velm

// The Windows steps of replacing a file (file_replacement.h): a flushed
// temporary file beside it and one rename, or a rewrite where it lies.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace velm {

// path as the wide file functions take it: past MAX_PATH in its \\?\ form,
// which every Windows since Vista accepts, with or without long paths
// turned on for the system.
std::wstring FileFunctionPath(const std::u16string& path);

// Whether error is what another program's hold on the file causes, which
// goes when that program lets go of it.
bool HeldByAnother(DWORD error);

// Puts bytes in place of path through path + ".new". Where no temporary
// file can be made beside it (a folder that takes no new file, a disk
// without a free entry), an existing file is rewritten where it lies.
// false: the file is as it was.
bool ReplaceFileBytes(const std::u16string& path, std::string_view bytes);

}  // namespace velm

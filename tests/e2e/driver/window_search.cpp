#include "driver/window_search.h"

#include <cstring>

namespace e2e {

namespace {

struct TopLevelSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopLevelSearch*>(param);
  DWORD owner_pid = 0;
  GetWindowThreadProcessId(window, &owner_pid);
  if (owner_pid == search->pid) search->found.push_back(window);
  return TRUE;
}

std::string Describe(const WindowMatch& match) {
  std::string text = "window";
  if (!match.class_name.empty()) text += " of class \"" + std::string(match.class_name) + "\"";
  if (!match.caption.empty()) text += " captioned \"" + std::string(match.caption) + "\"";
  return text;
}

}  // namespace

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

bool Matches(HWND window, const WindowMatch& match) {
  if (match.visible_only && !IsWindowVisible(window)) return false;
  if (!match.class_name.empty()) {
    const std::string name = ClassName(window);
    if (name.size() != match.class_name.size() ||
        _strnicmp(name.c_str(), match.class_name.data(), name.size()) != 0) {
      return false;
    }
  }
  return match.caption.empty() || WindowText(window) == match.caption;
}

std::vector<HWND> TopLevelWindows(DWORD pid) {
  TopLevelSearch search{pid, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(DWORD pid, const WindowMatch& match) {
  for (HWND window : TopLevelWindows(pid)) {
    if (Matches(window, match)) return window;
  }
  return nullptr;
}

testing::AssertionResult WaitTopLevel(DWORD pid, const WindowMatch& match, HWND* out,
                                      Timeout timeout) {
  HWND found = nullptr;
  if (!PollUntil([&] { return (found = FindTopLevel(pid, match)) != nullptr; }, timeout)) {
    return testing::AssertionFailure()
           << "no " << (match.visible_only ? "visible " : "") << Describe(match) << " of process "
           << pid << " within " << timeout.count() << " ms";
  }
  *out = found;
  return testing::AssertionSuccess();
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

HWND FindChild(HWND parent, const WindowMatch& match) {
  for (HWND child : ChildWindows(parent)) {
    if (Matches(child, match)) return child;
  }
  return nullptr;
}

std::vector<HWND> FindChildren(HWND parent, const WindowMatch& match) {
  std::vector<HWND> found;
  for (HWND child : ChildWindows(parent)) {
    if (Matches(child, match)) found.push_back(child);
  }
  return found;
}

testing::AssertionResult WaitGone(HWND window, Timeout timeout) {
  if (PollUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout)) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "window \"" << WindowText(window) << "\" still shown after "
                                     << timeout.count() << " ms";
}

}  // namespace e2e

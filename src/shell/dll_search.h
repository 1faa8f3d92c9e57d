#pragma once

namespace velm {

// From here on, a DLL loaded by name (by the program or by a system DLL on
// its behalf) comes from System32 only: never from the program's folder,
// often Downloads, where a planted DLL would wait. Vista and 7 have the
// function only with an update, so it is looked up; without it nothing
// changes. Returns whether the search is restricted.
bool RestrictDllSearchToSystem32();

}  // namespace velm

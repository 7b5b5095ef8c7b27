#include <windows.h>

#include "app/Horavel_Main.h"

namespace {

// Libraries loaded at their first call come from the system folder only,
// never from the program's own folder or the current one, where anyone may
// have put a DLL of the same name. (Those the loader brings in with the
// program are system libraries it finds there first.) Windows 7 without its
// 2011 loader update lacks the function: nothing to be done there.
void LoadLibrariesFromSystemFolderOnly() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    LoadLibrariesFromSystemFolderOnly();
    ProgramMain();
}

// The shell's taskbar list (ITaskbarList3) for the main window's button, and
// the foreground window.
#include <windows.h>
#include <shobjidl.h>
#include <versionhelpers.h>

#include "platform/shell.h"
#include "platform/win32/main_window_handle.h"
#include "platform/win32/text.h"

namespace platform {
namespace {

ITaskbarList3* taskbarList = nullptr;
bool componentsStarted = false;

}  // namespace

bool CreateTaskbarList() {
    if (!IsWindows7OrGreater()) return false;
    componentsStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    void* list = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3, &list)))
        list = nullptr;
    taskbarList = static_cast<ITaskbarList3*>(list);
    return taskbarList != nullptr;
}

void ReleaseTaskbarList() {
    if (!IsWindows7OrGreater()) return;
    if (taskbarList) taskbarList->Release();
    taskbarList = nullptr;
    if (componentsStarted) CoUninitialize();
    componentsStarted = false;
}

void TaskbarHrInit() {
    if (taskbarList) taskbarList->HrInit();
}

void TaskbarSetProgressValue(std::uint64_t completed, std::uint64_t total) {
    if (taskbarList) taskbarList->SetProgressValue(win32::MainWindowHandle(), completed, total);
}

void TaskbarSetProgressState(int state) {
    if (taskbarList) taskbarList->SetProgressState(win32::MainWindowHandle(), static_cast<TBPFLAG>(state));
}

void TaskbarSetThumbnailClip(std::optional<Rect> clip) {
    if (!taskbarList) return;
    RECT r{};
    if (clip) r = RECT{clip->x, clip->y, clip->x + clip->width, clip->y + clip->height};
    taskbarList->SetThumbnailClip(win32::MainWindowHandle(), clip ? &r : nullptr);
}

bool ForegroundWindowOfClass(const std::string& className) {
    HWND window = FindWindowW(win32::Wide(className).c_str(), nullptr);
    if (!window) return false;
    SetForegroundWindow(window);
    return true;
}

}  // namespace platform

// The monitors, from user32: their rectangles from EnumDisplayMonitors, their
// own names from the display configuration (Windows 7 on).
#include <windows.h>

#include <map>

#include "platform/monitors.h"
#include "platform/win32/text.h"

namespace platform {
namespace {

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    MonitorInfo m;
    m.device = win32::Utf8(info.szDevice);
    m.bounds = ToRect(info.rcMonitor);
    m.workArea = ToRect(info.rcWork);
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    reinterpret_cast<std::vector<MonitorInfo>*>(list)->push_back(m);
    return TRUE;
}

BOOL CALLBACK AddRect(HMONITOR, HDC, LPRECT rect, LPARAM list) {
    reinterpret_cast<std::vector<Rect>*>(list)->push_back(ToRect(*rect));
    return TRUE;
}

// The names monitors give of themselves (from their EDID), by device name.
// The system's stand-ins ("Generic PnP Monitor") say nothing and are left out.
std::map<std::wstring, std::wstring> FriendlyNames() {
    std::map<std::wstring, std::wstring> names;
    UINT32 pathCount = 0, modeCount = 0;
    if (GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS) return names;
    std::vector<DISPLAYCONFIG_PATH_INFO> paths(pathCount);
    std::vector<DISPLAYCONFIG_MODE_INFO> modes(modeCount);
    if (QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount, modes.data(), nullptr) !=
        ERROR_SUCCESS)
        return names;
    for (UINT32 i = 0; i < pathCount; ++i) {
        DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
        source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
        source.header.size = sizeof source;
        source.header.adapterId = paths[i].sourceInfo.adapterId;
        source.header.id = paths[i].sourceInfo.id;
        DISPLAYCONFIG_TARGET_DEVICE_NAME target{};
        target.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_TARGET_NAME;
        target.header.size = sizeof target;
        target.header.adapterId = paths[i].targetInfo.adapterId;
        target.header.id = paths[i].targetInfo.id;
        if (DisplayConfigGetDeviceInfo(&source.header) != ERROR_SUCCESS ||
            DisplayConfigGetDeviceInfo(&target.header) != ERROR_SUCCESS || !target.flags.friendlyNameFromEdid)
            continue;
        names[source.viewGdiDeviceName] = target.monitorFriendlyDeviceName;
    }
    return names;
}

}  // namespace

std::vector<MonitorInfo> ListMonitors() {
    std::vector<MonitorInfo> list;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

std::vector<MonitorInfo> ListNamedMonitors() {
    std::vector<MonitorInfo> list = ListMonitors();
    const std::map<std::wstring, std::wstring> names = FriendlyNames();
    for (MonitorInfo& m : list) {
        const auto it = names.find(win32::Wide(m.device));
        if (it != names.end()) m.friendlyName = win32::Utf8(it->second);
    }
    return list;
}

std::vector<Rect> MonitorRects() {
    std::vector<Rect> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddRect, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

}  // namespace platform

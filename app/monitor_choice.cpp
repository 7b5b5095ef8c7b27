#include "app/monitor_choice.h"

#include <charconv>
#include <cstdint>

#include "lang/messages.h"

namespace {

constexpr int kPrimaryMessage = 234;       // "primary"
constexpr int kNotConnectedMessage = 235;  // "not connected"

std::string Size(const platform::Rect& r) { return std::to_string(r.width) + " × " + std::to_string(r.height); }

// The digits that end a device name ("\\.\DISPLAY12" gives "12").
std::string DeviceNumber(const std::string& device) {
    std::size_t start = device.size();
    while (start > 0 && device[start - 1] >= '0' && device[start - 1] <= '9') --start;
    return device.substr(start);
}

}  // namespace

int FindMonitor(const std::vector<platform::MonitorInfo>& monitors, const std::string& device,
                const std::string& rectText) {
    if (device.empty()) return -1;
    const std::optional<platform::Rect> rect = ParseMonitorRect(rectText);
    const int count = static_cast<int>(monitors.size());
    for (int i = 0; i < count; ++i)
        if (monitors[i].device == device && rect && monitors[i].bounds == *rect) return i;
    for (int i = 0; i < count; ++i)
        if (rect && monitors[i].bounds == *rect) return i;
    for (int i = 0; i < count; ++i)
        if (monitors[i].device == device) return i;
    return -1;
}

int PrimaryMonitor(const std::vector<platform::MonitorInfo>& monitors) {
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].primary) return static_cast<int>(i);
    return monitors.empty() ? -1 : 0;
}

std::string MonitorRectText(const platform::Rect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(std::int64_t{r.x} + r.width) + "," +
           std::to_string(std::int64_t{r.y} + r.height);
}

std::optional<platform::Rect> ParseMonitorRect(const std::string& text) {
    int v[4];
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (p == end || *p != ',') return std::nullopt;
            ++p;
        }
        const auto [next, error] = std::from_chars(p, end, v[i]);
        if (error != std::errc{}) return std::nullopt;
        p = next;
    }
    if (p != end) return std::nullopt;
    const std::int64_t width = std::int64_t{v[2]} - v[0], height = std::int64_t{v[3]} - v[1];
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
    return platform::Rect{v[0], v[1], static_cast<int>(width), static_cast<int>(height)};
}

std::string MonitorLabel(const platform::MonitorInfo& m) {
    const std::string number = DeviceNumber(m.device);
    std::string label = number.empty() ? std::string() : number + ": ";
    label += m.friendlyName.empty() ? Size(m.bounds) : m.friendlyName;
    if (m.primary) label += " (" + Message(kPrimaryMessage) + ")";
    return label;
}

MonitorList MonitorChoices(const std::vector<platform::MonitorInfo>& monitors, int firstMessage,
                           const std::string& device, const std::string& rectText) {
    MonitorList list;
    list.entries.push_back(Message(firstMessage));
    for (const platform::MonitorInfo& m : monitors) list.entries.push_back(MonitorLabel(m));
    if (device.empty()) return list;
    const int found = FindMonitor(monitors, device, rectText);
    if (found >= 0) {
        list.selected = found + 1;
    } else {
        list.entries.push_back(device + " (" + Message(kNotConnectedMessage) + ")");
        list.selected = static_cast<int>(list.entries.size()) - 1;
    }
    return list;
}

void StoreMonitorChoice(const std::vector<platform::MonitorInfo>& monitors, int entry, std::string& device,
                        std::string& rectText) {
    if (entry == 0) {
        device.clear();
        rectText.clear();
    } else if (entry > 0 && entry <= static_cast<int>(monitors.size())) {
        device = monitors[entry - 1].device;
        rectText = MonitorRectText(monitors[entry - 1].bounds);
    }
}

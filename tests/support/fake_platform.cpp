#include "tests/support/fake_platform.h"

#include <sys/random.h>

#include <algorithm>
#include <string_view>

#include "tests/support/fake_screen.h"

namespace fake {

State state;

void Reset() { state = State{}; }

void Push(const platform::Event& event, std::function<void()> action) {
    state.script.push_back(Step{event, std::move(action)});
}

void PushGadget(int gadget, int type, std::function<void()> action) {
    platform::Event e;
    e.kind = platform::EventKind::Gadget;
    e.gadget = gadget;
    e.gadgetType = type;
    Push(e, std::move(action));
}

void PushMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam, std::function<void()> action) {
    platform::Event e;
    e.kind = platform::EventKind::Message;
    e.message = message;
    e.wParam = wParam;
    e.lParam = lParam;
    Push(e, std::move(action));
}

void PushMenu(int item, std::function<void()> action) {
    platform::Event e;
    e.kind = platform::EventKind::Menu;
    e.menuItem = item;
    Push(e, std::move(action));
}

void PushClose() {
    platform::Event e;
    e.kind = platform::EventKind::Close;
    Push(e);
}

void At(std::uint32_t tick, std::function<void()> action) { state.timed.emplace(tick, std::move(action)); }

namespace {

// Where the window stands maximized: the monitor that holds most of it, as
// the system chooses, or the primary screen.
platform::Rect FullScreenRect() {
    const platform::Rect window{state.window.x, state.window.y, state.window.innerWidth, state.window.innerHeight};
    if (const auto monitor = MonitorHolding(window)) return monitor->bounds;
    return {0, 0, state.screenWidth, state.screenHeight};
}

platform::Point ClientOrigin() {
    if (state.state == platform::WindowState::Maximized) return {state.window.x, state.window.y};
    if (state.window.framed) return {state.window.x + 8, state.window.y + 31};
    return {state.window.x, state.window.y};
}

}  // namespace

void PointAt(int gadget) {
    platform::Rect r = platform::GadgetScreenRect(gadget);
    state.mouse = {r.x + r.width / 2, r.y + r.height / 2};
}

int CharHeight(const Font& font) { return font.points * state.dpiY / 72; }
int CharWidth(const Font& font) { return std::max(1, CharHeight(font) / 2); }

std::atomic<int> wakeCount{0};

platform::Colour Pixel(int image, int x, int y) {
    const Image& im = state.images.at(image);
    return im.pixels.at(static_cast<std::size_t>(y) * im.width + x);
}

}  // namespace fake

using fake::state;

namespace platform {

// ---- window ----

bool OpenMainWindow(const WindowOptions& options) {
    if (state.failOpenWindow) return false;
    state.window = options;
    state.windowOpen = true;
    state.state = options.maximized ? WindowState::Maximized : WindowState::Normal;
    state.normalRect = {options.x, options.y, options.innerWidth, options.innerHeight};
    if (options.maximized) {
        const Rect full = fake::FullScreenRect();
        state.window.x = full.x;
        state.window.y = full.y;
        state.window.innerWidth = full.width;
        state.window.innerHeight = full.height;
    }
    state.calls.push_back("OpenMainWindow");
    return true;
}

void CloseMainWindow() {
    state.windowOpen = false;
    state.calls.push_back("CloseMainWindow");
}

bool MainWindowIsOpen() { return state.windowOpen; }
void SetWindowCallback(WindowCallback callback) { state.callback = callback; }
void SetWindowBackground(Colour colour) { state.background = colour; }
void SetWindowMinimumSize(int w, int h) {
    state.minWidth = w;
    state.minHeight = h;
}
Point ClientOrigin() { return fake::ClientOrigin(); }
int WindowX() { return state.window.x; }
int WindowY() { return state.window.y; }
int WindowInnerWidth() { return state.window.innerWidth; }
int WindowInnerHeight() { return state.window.innerHeight; }

void MoveMainWindow(int x, int y, int w, int h) {
    state.window.x = x;
    state.window.y = y;
    state.window.innerWidth = w;
    state.window.innerHeight = h;
}

void SetMainWindowFramed(bool framed) {
    state.window.framed = framed;
    state.calls.push_back(framed ? "Framed" : "Borderless");
}
void ShowMainWindow(bool visible) {
    if (visible && !state.gadgetsWhenShown) state.gadgetsWhenShown = state.gadgets;
    state.windowVisible = visible;
    state.calls.push_back(visible ? "ShowMainWindow" : "HideMainWindow");
}
bool MainWindowIsVisible() { return state.windowOpen && state.windowVisible; }

WindowState GetWindowState() { return state.state; }

void SetWindowState(WindowState s) {
    if (s == state.state) return;
    if (s == WindowState::Maximized) {
        state.normalRect = {state.window.x, state.window.y, state.window.innerWidth, state.window.innerHeight};
        const Rect full = fake::FullScreenRect();
        MoveMainWindow(full.x, full.y, full.width, full.height);
    } else if (s == WindowState::Normal) {
        MoveMainWindow(state.normalRect.x, state.normalRect.y, state.normalRect.width, state.normalRect.height);
    }
    state.state = s;
    state.calls.push_back(s == WindowState::Maximized ? "Maximize" : s == WindowState::Normal ? "Restore" : "Minimize");
}

bool MainWindowIsActive() { return state.active; }
void StartSystemMove() { state.calls.push_back("StartSystemMove"); }
void StartSystemSize(int command) { state.calls.push_back("StartSystemSize " + std::to_string(command)); }

// ---- gadgets ----

namespace {
fake::Gadget* Find(int g) {
    auto it = state.gadgets.find(g);
    return it == state.gadgets.end() ? nullptr : &it->second;
}
}  // namespace

bool CreateImageGadget(int g, int x, int y, int w, int h, int image) {
    fake::Gadget gadget;
    gadget.rect = {x, y, w, h};
    gadget.image = image;
    state.gadgets[g] = gadget;
    return true;
}

bool CreateButtonGadget(int g, int x, int y, int w, int h, const std::string& caption) {
    fake::Gadget gadget;
    gadget.isButton = true;
    gadget.rect = {x, y, w, h};
    gadget.text = caption;
    state.gadgets[g] = gadget;
    return true;
}

bool GadgetExists(int g) { return Find(g) != nullptr; }

void ResizeGadget(int g, int x, int y, int w, int h) {
    if (auto* gadget = Find(g)) gadget->rect = {x, y, w, h};
}

Rect GadgetRect(int g) {
    auto* gadget = Find(g);
    return gadget ? gadget->rect : Rect{};
}

Rect GadgetScreenRect(int g) {
    Rect r = GadgetRect(g);
    Point origin = fake::ClientOrigin();
    r.x += origin.x;
    r.y += origin.y;
    return r;
}

void ShowGadget(int g, bool visible) {
    if (auto* gadget = Find(g)) gadget->visible = visible;
}

void SetGadgetText(int g, const std::string& text) {
    if (auto* gadget = Find(g)) {
        gadget->text = text;
        gadget->textTick = state.tick;
    }
}

std::string GetGadgetText(int g) {
    auto* gadget = Find(g);
    return gadget ? gadget->text : std::string{};
}

void SetGadgetImageNumber(int g, int image) {
    if (auto* gadget = Find(g)) {
        gadget->image = image;
        ++gadget->imageChanges;
    }
}

int GetGadgetImageNumber(int g) {
    auto* gadget = Find(g);
    return gadget ? gadget->image : -1;
}

void SetGadgetToolTip(int g, const std::string& text) {
    if (auto* gadget = Find(g)) gadget->toolTip = text;
}

// ---- events ----

Event WaitEvent(int timeoutMs) {
    state.waits.push_back(timeoutMs);
    // A timed action that queues an event (a key message) ends the wait at its tick.
    const std::uint32_t end = state.tick + static_cast<std::uint32_t>(timeoutMs);
    while (state.script.empty() && !state.timed.empty() &&
           static_cast<std::int32_t>(state.timed.begin()->first - end) <= 0) {
        auto due = state.timed.extract(state.timed.begin());
        state.tick = std::max(state.tick, due.key());
        due.mapped()();
    }
    if (state.script.empty()) {
        state.tick = end;
        if (++state.idleWaits >= state.idleLimit) {
            Event close;
            close.kind = EventKind::Close;
            return close;
        }
        return {};
    }
    fake::Step step = std::move(state.script.front());
    state.script.pop_front();
    if (step.action) step.action();
    // The window's callback sees messages (and gadget clicks, as command
    // notifications) before the loop does, as on the real system.
    if (state.callback) {
        if (step.event.kind == EventKind::Message) {
            state.callback(step.event.message, step.event.wParam, step.event.lParam);
        } else if (step.event.kind == EventKind::Gadget && step.event.gadgetType == GadgetLeftClick) {
            state.callback(msg::Command, static_cast<std::uintptr_t>(step.event.gadget), 0);
        }
    }
    return step.event;
}

void DiscardEvents() {
    state.script.clear();
    state.calls.push_back("DiscardEvents");
}

// ---- input ----

bool KeyIsDown(Key key) {
    ++state.inputReads;
    return state.keysDown.count(key) != 0;
}
Point MousePosition() {
    ++state.inputReads;
    return state.mouse;
}
void LoadCursors() { state.cursorsLoaded = true; }
void DestroyCursors() { state.cursorsLoaded = false; }
void SetCursorShape(CursorShape shape) { state.cursor = shape; }

// ---- system ----

std::uint32_t TickCount() { return state.tick; }
LocalTime GetLocalTime() { return state.localTime; }

MessageBoxResult ShowMessageBox(const std::string& title, const std::string& text, MessageBoxKind,
                                MessageBoxIcon icon) {
    state.messageBoxes.emplace_back(title, text);
    state.messageBoxIcons.push_back(icon);
    return state.messageBoxAnswer;
}

bool SecureRandom(unsigned char* bytes, std::size_t count) {
    return getrandom(bytes, count, 0) == static_cast<ssize_t>(count);
}
void WakeMainLoop() { ++fake::wakeCount; }
void CopyTextToClipboard(const std::string& text) { state.calls.push_back("Clipboard " + text); }

void OpenWebPage(const std::string& address) { state.calls.push_back("OpenWebPage " + address); }
void OpenDocument(const std::string& path) { state.calls.push_back("OpenDocument " + path); }

void InstallFaultHandler(FaultHandler handler) { state.faultHandler = handler; }

void EndProcess(int exitCode) {
    state.calls.push_back("EndProcess " + std::to_string(exitCode));
    throw fake::ProcessEnded{exitCode};
}

// ---- files ----

namespace {

std::string ParentFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::string AppDataFolder() { return state.appDataFolder; }
std::string ProgramFilePath() { return state.programFile; }
bool FileExists(const std::string& path) { return state.files.count(path) != 0; }
bool DirectoryExists(const std::string& path) {
    std::string p = path;
    while (!p.empty() && p.back() == '\\') p.pop_back();
    return state.folders.count(p) != 0 || p == state.appDataFolder;
}
bool CreateFolder(const std::string& path) {
    std::string p = path;
    while (!p.empty() && p.back() == '\\') p.pop_back();
    if (state.failWrites || state.files.count(p) || state.readOnlyFolders.count(ParentFolder(p))) return false;
    state.folders.insert(p);
    return true;
}
bool RemoveFile(const std::string& path) { return !state.lockedFiles.count(path) && state.files.erase(path) != 0; }
bool CanReadFile(const std::string& path) { return FileExists(path) && !state.lockedFiles.count(path); }

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    auto it = state.files.find(path);
    if (it == state.files.end() || it->second.size() > maxBytes) return std::nullopt;
    return it->second;
}

bool MoveFileInto(const std::string& from, const std::string& to) {
    auto it = state.files.find(from);
    if (state.failWrites || it == state.files.end()) return false;
    state.files[to] = it->second;
    state.files.erase(from);
    return true;
}

namespace {
bool Matches(std::string_view name, std::string_view pattern) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip)
            if (Matches(name.substr(skip), pattern.substr(1))) return true;
        return false;
    }
    return !name.empty() && name[0] == pattern[0] && Matches(name.substr(1), pattern.substr(1));
}
}  // namespace

std::vector<FoundFile> FindFiles(const std::string& folder, const std::string& pattern) {
    std::vector<FoundFile> found;
    for (const auto& [path, content] : state.files) {
        if (path.rfind(folder, 0) != 0) continue;
        const std::string name = path.substr(folder.size());
        if (name.find('\\') == std::string::npos && Matches(name, pattern))
            found.push_back({name, state.fileTimes.count(path) ? state.fileTimes.at(path) : 0});
    }
    return found;
}

bool WriteNewFile(const std::string& path, const std::string& content) {
    const std::string parent = ParentFolder(path);
    if (state.failWrites || path.empty() || FileExists(path) || DirectoryExists(path) || !DirectoryExists(parent) ||
        state.readOnlyFolders.count(parent)) {
        return false;
    }
    state.files[path] = content;
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    if (state.failWrites) return false;
    state.files[path] = content;
    return true;
}

}  // namespace platform

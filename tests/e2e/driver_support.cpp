#include "tests/e2e/driver_support.h"

#include <cstdio>

namespace e2e {

// ---- cases and checks ----

namespace {
std::vector<Case>& Registry() {
    static std::vector<Case> cases;
    return cases;
}
int failures = 0;
}  // namespace

int RegisterCase(Case c) {
    Registry().push_back(c);
    return static_cast<int>(Registry().size());
}

const std::vector<Case>& Cases() { return Registry(); }

bool Check(bool ok, const char* expression, const std::string& message, const char* file, int line) {
    if (!ok) {
        ++failures;
        std::printf("CHECK FAILED %s:%d: %s: %s\n", file, line, expression, message.c_str());
        std::fflush(stdout);
    }
    return ok;
}

int FailureCount() { return failures; }

int Result() { return failures == 0 ? 0 : 1; }

void Log(const std::string& text) {
    std::printf("  %s\n", text.c_str());
    std::fflush(stdout);
}

// ---- text ----

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr,
                        nullptr);
    return utf8;
}

// ---- processes ----

bool StartProgram(const std::string& exePath, const std::string& arguments, Process& process) {
    std::wstring exe = Widen(exePath);
    size_t slash = exe.find_last_of(L"\\/");
    std::wstring folder = slash == std::wstring::npos ? std::wstring() : exe.substr(0, slash);
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + Widen(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        Log("cannot start " + exePath + " (error " + std::to_string(GetLastError()) + ")");
        return false;
    }
    CloseHandle(info.hThread);
    process.handle = info.hProcess;
    process.id = info.dwProcessId;
    return true;
}

bool WaitForExit(const Process& process, DWORD timeoutMs, DWORD& exitCode) {
    if (process.handle == nullptr || WaitForSingleObject(process.handle, timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(process.handle, &exitCode) != 0;
}

bool IsRunning(const Process& process) {
    return process.handle != nullptr && WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT;
}

void StopProgram(Process& process) {
    if (process.handle == nullptr) return;
    if (IsRunning(process)) {
        TerminateProcess(process.handle, 1);
        WaitForSingleObject(process.handle, 5000);
    }
    CloseHandle(process.handle);
    process = Process{};
}

// ---- windows ----

namespace {
struct TopLevelSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (search->processId == 0 || owner == search->processId) search->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<WindowInfo>*>(lParam)->push_back(DescribeWindow(hwnd));
    return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    TopLevelSearch search{processId, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::string& title, DWORD processId, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND hwnd : TopLevelWindows(processId)) {
            if (IsWindowVisible(hwnd) && WindowText(hwnd) == title) return hwnd;
        }
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(100);
    }
}

std::string WindowText(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    length = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return Narrow(text);
}

WindowInfo DescribeWindow(HWND hwnd) {
    WindowInfo info;
    info.hwnd = hwnd;
    info.id = GetDlgCtrlID(hwnd);
    wchar_t className[256] = {};
    GetClassNameW(hwnd, className, 256);
    info.className = Narrow(className);
    info.text = WindowText(hwnd);
    info.rect = WindowRect(hwnd);
    info.visible = IsWindowVisible(hwnd) != 0;
    info.enabled = IsWindowEnabled(hwnd) != 0;
    return info;
}

std::vector<WindowInfo> ChildWindows(HWND parent) {
    std::vector<WindowInfo> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

WindowInfo FindChild(HWND parent, int id) {
    for (const WindowInfo& child : ChildWindows(parent)) {
        if (child.id == id) return child;
    }
    return WindowInfo{};
}

RECT WindowRect(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT ClientRect(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return rect;
}

POINT ClientToScreenPoint(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return point;
}

// ---- mouse and keyboard ----

namespace {
void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

void SendKey(WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}
}  // namespace

void MoveMouse(int x, int y) {
    SetCursorPos(x, y);
    Sleep(30);
}

void MouseDown(Button button) {
    SendMouse(button == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
    Sleep(30);
}

void MouseUp(Button button) {
    SendMouse(button == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
    Sleep(30);
}

void Click(int x, int y, Button button) {
    MoveMouse(x, y);
    MouseDown(button);
    MouseUp(button);
}

void DoubleClick(int x, int y) {
    MoveMouse(x, y);
    // Both clicks must land inside the system's double-click time.
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Sleep(30);
}

void ClickWindow(HWND hwnd, int x, int y, Button button) {
    RECT client = ClientRect(hwnd);
    if (x < 0) x = client.right / 2;
    if (y < 0) y = client.bottom / 2;
    POINT point = ClientToScreenPoint(hwnd, x, y);
    Click(point.x, point.y, button);
}

void KeyDown(WORD virtualKey) {
    SendKey(virtualKey, 0);
    Sleep(20);
}

void KeyUp(WORD virtualKey) {
    SendKey(virtualKey, KEYEVENTF_KEYUP);
    Sleep(20);
}

void PressKey(WORD virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void PressKeyWith(const std::vector<WORD>& modifiers, WORD virtualKey) {
    for (WORD modifier : modifiers) KeyDown(modifier);
    PressKey(virtualKey);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) KeyUp(*it);
}

void TypeText(const std::string& text) {
    for (wchar_t unit : Widen(text)) {
        INPUT inputs[2]{};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(unit);
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        Sleep(20);
    }
}

void Pause(DWORD ms) { Sleep(ms); }

// ---- pixels and screenshots ----

// Copies a rectangle of the screen DC into top-down 32-bit pixels.
Pixels CaptureScreenRect(int left, int top, int width, int height) {
    Pixels pixels;
    if (width <= 0 || height <= 0) return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
        GdiFlush();
        pixels.width = width;
        pixels.height = height;
        const auto* source = static_cast<const std::uint32_t*>(bits);
        pixels.rgb.assign(source, source + static_cast<size_t>(width) * height);
        for (std::uint32_t& pixel : pixels.rgb) pixel &= 0x00FFFFFF;
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::uint32_t WindowPixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    if (dc == nullptr) return 0xFFFFFFFF;
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    if (colour == CLR_INVALID) return 0xFFFFFFFF;
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

Pixels CaptureClient(HWND hwnd) {
    RECT client = ClientRect(hwnd);
    POINT origin = ClientToScreenPoint(hwnd, 0, 0);
    return CaptureScreenRect(origin.x, origin.y, client.right, client.bottom);
}

Pixels CaptureScreen() {
    return CaptureScreenRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

bool SaveBmp(const Pixels& pixels, const std::string& path) {
    if (pixels.width <= 0 || pixels.height <= 0) return false;
    const DWORD rowBytes = static_cast<DWORD>(pixels.width) * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = pixels.width;
    header.biHeight = -pixels.height;  // top row first
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = rowBytes * static_cast<DWORD>(pixels.height);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::string contents(reinterpret_cast<const char*>(&file), sizeof(file));
    contents.append(reinterpret_cast<const char*>(&header), sizeof(header));
    contents.append(reinterpret_cast<const char*>(pixels.rgb.data()), header.biSizeImage);
    return WriteFileBytes(path, contents);
}

bool CaptureScreenBmp(const std::string& path) { return SaveBmp(CaptureScreen(), path); }

bool Screenshot(const std::string& name) { return Screenshot(name, CaptureScreen()); }

bool Screenshot(const std::string& name, const Pixels& pixels) {
    std::string folder = EnvironmentValue("HORAVEL_SCREENSHOTS");
    if (folder.empty()) return false;
    std::string path = folder + "\\" + name + ".bmp";
    bool ok = SaveBmp(pixels, path);
    Log((ok ? "screenshot " : "cannot write screenshot ") + path);
    return ok;
}

// ---- files, folders and the registry ----

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ReadFileBytes(const std::string& path, std::string& contents) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    contents.clear();
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, nullptr) != 0) && got > 0) contents.append(buffer, got);
    CloseHandle(file);
    return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& contents) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) != 0 &&
              written == contents.size();
    CloseHandle(file);
    return ok;
}

bool DeleteFilePath(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != 0; }

std::string EnvironmentValue(const std::string& name) {
    std::wstring wideName = Widen(name);
    DWORD length = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (length == 0) return {};
    std::wstring value(length, L'\0');
    length = GetEnvironmentVariableW(wideName.c_str(), value.data(), length);
    value.resize(length);
    return Narrow(value);
}

std::string ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return Narrow(path);
}

namespace {
bool QueryValue(HKEY root, const std::string& key, const std::string& value, DWORD& type, std::vector<BYTE>& data) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
    std::wstring name = Widen(value);
    DWORD size = 0;
    LONG status = RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data.assign(size, 0);
        status = RegQueryValueExW(handle, name.c_str(), nullptr, &type, data.data(), &size);
        data.resize(size);
    }
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

bool SetValue(HKEY root, const std::string& key, const std::string& value, DWORD type, const BYTE* data,
              DWORD size) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root, Widen(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExW(handle, Widen(value).c_str(), 0, type, data, size);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}
}  // namespace

bool ReadRegistryString(HKEY root, const std::string& key, const std::string& value, std::string& out) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(root, key, value, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    out = Narrow(text);
    return true;
}

bool ReadRegistryDword(HKEY root, const std::string& key, const std::string& value, DWORD& out) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(root, key, value, type, data) || type != REG_DWORD || data.size() != sizeof(DWORD)) return false;
    out = *reinterpret_cast<const DWORD*>(data.data());
    return true;
}

bool WriteRegistryString(HKEY root, const std::string& key, const std::string& value, const std::string& data) {
    std::wstring text = Widen(data);
    return SetValue(root, key, value, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool WriteRegistryDword(HKEY root, const std::string& key, const std::string& value, DWORD data) {
    return SetValue(root, key, value, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

bool RegistryKeyExists(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

bool DeleteRegistryTree(HKEY root, const std::string& key) {
    return RegDeleteTreeW(root, Widen(key).c_str()) == ERROR_SUCCESS;
}

}  // namespace e2e

// Commands between copies of the program: WM_COPYDATA to the running copy's
// main window (found by its class), and a status answered the same way to a
// message-only window of the asking copy.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include "platform/other_copy.h"
#include "platform/win32/internal.h"
#include "platform/win32/text.h"

namespace platform {
namespace {

// The marks of the two kinds of message; anything else another program sends is ignored.
constexpr ULONG_PTR kCommandMark = 0x48564331;  // "HVC1"
constexpr ULONG_PTR kStatusMark = 0x48565331;   // "HVS1"
constexpr int kStatusRequest = -1;
constexpr UINT kAnswerWithinMs = 5000;
const wchar_t kReplyClass[] = L"HoravelReply";

struct Request {
    std::int32_t command;
    std::int64_t argument;
};

std::string published;
std::optional<std::string> reply;

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData != kStatusMark) return FALSE;
        reply = std::string(static_cast<const char*>(data->lpData), data->cbData);
        return TRUE;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool Send(HWND target, HWND replyTo, const Request& request) {
    COPYDATASTRUCT data{kCommandMark, sizeof request, const_cast<Request*>(&request)};
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(replyTo),
                               reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerWithinMs, &result) &&
           result == TRUE;
}

HWND RunningCopy() { return FindWindowW(win32::kMainWindowClass, nullptr); }

}  // namespace

namespace win32 {

LRESULT ReceiveCopyData(WPARAM wParam, LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != kCommandMark || data->cbData != sizeof(Request) || !data->lpData) return FALSE;
    Request request;
    CopyMemory(&request, data->lpData, sizeof request);
    if (request.command == kStatusRequest) {
        HWND asker = reinterpret_cast<HWND>(wParam);
        if (!IsWindow(asker)) return FALSE;
        COPYDATASTRUCT answer{kStatusMark, static_cast<DWORD>(published.size()), published.data()};
        DWORD_PTR result = 0;
        SendMessageTimeoutW(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(MainWindowHandle()),
                            reinterpret_cast<LPARAM>(&answer), SMTO_ABORTIFHUNG, kAnswerWithinMs, &result);
        return TRUE;
    }
    Event e;
    e.kind = EventKind::Message;
    e.message = msg::OtherCopyCommand;
    e.wParam = static_cast<std::uintptr_t>(request.command);
    e.lParam = static_cast<std::intptr_t>(request.argument);
    QueueEvent(e);
    return TRUE;
}

}  // namespace win32

std::vector<std::string> CommandLineWords() {
    // A plain start (the common one) leaves the shell's library unloaded: the
    // program's name runs to its closing quote, or unquoted to the first blank.
    const wchar_t* line = GetCommandLineW();
    const wchar_t* rest = line;
    if (*rest == L'"') {
        rest = wcschr(rest + 1, L'"');
        rest = rest ? rest + 1 : line + wcslen(line);
    } else {
        while (*rest && *rest != L' ' && *rest != L'\t') ++rest;
    }
    while (*rest == L' ' || *rest == L'\t') ++rest;
    if (!*rest) return {};
    int count = 0;
    wchar_t** words = CommandLineToArgvW(line, &count);
    std::vector<std::string> result;
    for (int i = 1; words && i < count; ++i) result.push_back(win32::Utf8(words[i]));
    if (words) LocalFree(words);
    return result;
}

bool SendToRunningCopy(int command, std::int64_t argument) {
    HWND target = RunningCopy();
    return target && Send(target, nullptr, Request{command, argument});
}

std::optional<std::string> AskRunningCopyStatus() {
    HWND target = RunningCopy();
    if (!target) return std::nullopt;
    win32::RegisterWindowClass(kReplyClass, ReplyProc);
    HWND replyTo = CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (!replyTo) return std::nullopt;
    reply.reset();
    // The answer comes while the request waits for its result.
    const bool sent = Send(target, replyTo, Request{kStatusRequest, 0});
    DestroyWindow(replyTo);
    if (!sent) return std::nullopt;
    return reply;
}

void PublishStatus(const std::string& text) { published = text; }

bool WriteStandardOutput(const std::string& text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    bool attached = false;
    if (!out || out == INVALID_HANDLE_VALUE || GetFileType(out) == FILE_TYPE_UNKNOWN) {
        // Started from a console without a redirection: a windowed program has
        // no standard output of its own, so it borrows its parent's console.
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
        attached = true;
        out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                          nullptr);
        if (out == INVALID_HANDLE_VALUE) return false;
    }
    DWORD mode = 0, written = 0;
    bool ok;
    if (GetConsoleMode(out, &mode)) {
        const std::wstring wide = win32::Wide(text);
        ok = WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        ok = WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
    }
    if (attached) CloseHandle(out);
    return ok;
}

}  // namespace platform

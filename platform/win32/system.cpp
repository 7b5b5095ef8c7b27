#include <windows.h>
#include <bcrypt.h>
#include <shellapi.h>
#include <versionhelpers.h>

#include <cstring>

#include "platform/events.h"
#include "platform/system.h"
#include "platform/win32/main_window_handle.h"
#include "platform/win32/text.h"

namespace platform {
namespace {

FaultHandler faultHandler = nullptr;

const char* FaultDescription(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION: return "Invalid memory access.";
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: return "Array bounds exceeded.";
        case EXCEPTION_DATATYPE_MISALIGNMENT: return "Misaligned data access.";
        case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_DIVIDE_BY_ZERO: return "Division by zero.";
        case EXCEPTION_FLT_OVERFLOW:
        case EXCEPTION_INT_OVERFLOW: return "Overflow.";
        case EXCEPTION_FLT_INVALID_OPERATION: return "Invalid floating point operation.";
        case EXCEPTION_ILLEGAL_INSTRUCTION: return "Illegal instruction.";
        case EXCEPTION_PRIV_INSTRUCTION: return "Privileged instruction.";
        case EXCEPTION_STACK_OVERFLOW: return "Stack overflow.";
        case EXCEPTION_IN_PAGE_ERROR: return "Page error.";
        case EXCEPTION_NONCONTINUABLE_EXCEPTION: return "Noncontinuable exception.";
        case EXCEPTION_BREAKPOINT: return "Breakpoint.";
        default: return "Unknown error.";
    }
}

LONG WINAPI UnhandledFault(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    FaultInfo fault;
    fault.code = record.ExceptionCode;
    fault.description = FaultDescription(record.ExceptionCode);
    fault.address = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress);
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2)
        fault.targetAddress = static_cast<std::uintptr_t>(record.ExceptionInformation[1]);
    if (faultHandler) faultHandler(fault);
    return EXCEPTION_EXECUTE_HANDLER;
}

UINT BoxStyle(MessageBoxKind kind, MessageBoxIcon icon) {
    UINT style = kind == MessageBoxKind::OkCancel ? MB_OKCANCEL : kind == MessageBoxKind::YesNo ? MB_YESNO : MB_OK;
    switch (icon) {
        case MessageBoxIcon::Information: style |= MB_ICONINFORMATION; break;
        case MessageBoxIcon::Warning: style |= MB_ICONWARNING; break;
        case MessageBoxIcon::Error: style |= MB_ICONERROR; break;
        case MessageBoxIcon::None: break;
    }
    return style | MB_SETFOREGROUND;
}

}  // namespace

std::uint32_t TickCount() { return GetTickCount(); }

bool SecureRandom(unsigned char* bytes, std::size_t count) {
    return BCryptGenRandom(nullptr, bytes, static_cast<ULONG>(count), BCRYPT_USE_SYSTEM_PREFERRED_RNG) >= 0;
}

void CopyTextToClipboard(const std::string& text) {
    const std::wstring wide = win32::Wide(text);
    const SIZE_T bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return;
    if (void* p = GlobalLock(memory)) {
        std::memcpy(p, wide.c_str(), bytes);
        GlobalUnlock(memory);
    }
    if (OpenClipboard(win32::MainWindowHandle())) {
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, memory)) memory = nullptr;  // the clipboard owns it now
        CloseClipboard();
    }
    if (memory) GlobalFree(memory);
}

void WakeMainLoop() { PostMessageW(win32::MainWindowHandle(), msg::Wake, 0, 0); }

LocalTime GetLocalTime() {
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

MessageBoxResult ShowMessageBox(const std::string& title, const std::string& text, MessageBoxKind kind,
                                MessageBoxIcon icon) {
    const int answer = MessageBoxW(win32::MainWindowHandle(), win32::Wide(text).c_str(),
                                   win32::Wide(title).c_str(), BoxStyle(kind, icon));
    switch (answer) {
        case IDCANCEL: return MessageBoxResult::Cancel;
        case IDYES: return MessageBoxResult::Yes;
        case IDNO: return MessageBoxResult::No;
        default: return MessageBoxResult::Ok;
    }
}

void OpenWebPage(const std::string& address) {
    ShellExecuteW(nullptr, L"open", win32::Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenDocument(const std::string& path) { OpenWebPage(path); }

bool IsWindows7OrLater() { return IsWindows7OrGreater(); }

void InstallFaultHandler(FaultHandler handler) {
    faultHandler = handler;
    SetUnhandledExceptionFilter(UnhandledFault);
}

void EndProcess(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

}  // namespace platform

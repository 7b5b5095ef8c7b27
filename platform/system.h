#pragma once
// Clock, tick count, message boxes, fault handling and the end of the process.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The system's millisecond tick count; wraps after 2^32 ms.
std::uint32_t TickCount();

struct LocalTime {
    int year = 2000;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
};
LocalTime GetLocalTime();

enum class MessageBoxKind { Ok, OkCancel, YesNo };
enum class MessageBoxIcon { None, Information, Warning, Error };
enum class MessageBoxResult { Ok, Cancel, Yes, No };
MessageBoxResult ShowMessageBox(const std::string& title, const std::string& text,
                                MessageBoxKind kind = MessageBoxKind::Ok,
                                MessageBoxIcon icon = MessageBoxIcon::None);

// Opens a web address in the default browser (the shell's "open").
void OpenWebPage(const std::string& address);
// Opens a document with the program the user has for it (the shell's "open").
void OpenDocument(const std::string& path);

// Windows 7 or later: the taskbar shows progress on a program's button.
bool IsWindows7OrLater();

// What the fault handler learns of a program fault.
struct FaultInfo {
    std::string description;         // the platform's description of the fault
    std::uint32_t code = 0;          // e.g. 3221225477 for an access violation
    std::uintptr_t address = 0;      // the faulting instruction
    std::uintptr_t targetAddress = 0;  // access violations: the address whose access failed
    int line = -1;                   // source line, -1 when unknown
    std::string file;                // source file, when the line is known
};
using FaultHandler = void (*)(const FaultInfo& fault);
// Installs the handler for faults nobody else handles. The handler does not return.
void InstallFaultHandler(FaultHandler handler);

// Fills bytes from the system's cryptographic random generator; false when it
// could not.
bool SecureRandom(unsigned char* bytes, std::size_t count);
// Puts a text into the clipboard.
void CopyTextToClipboard(const std::string& text);
// Makes the main loop's wait return at once, from any thread.
void WakeMainLoop();

// Ends the process with this exit code; never returns.
[[noreturn]] void EndProcess(int exitCode);

}  // namespace platform

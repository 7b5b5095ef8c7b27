// Files and folders through kernel32 and the shell.
#include "platform/files.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/win32/text.h"

namespace platform {

using win32::Utf8;
using win32::Wide;

namespace {

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()); }

// Read and write access first, then read-only, then read-only next to other
// writers: the order in which the settings file has always been opened.
HANDLE OpenForReading(const std::wstring& path) {
    struct Attempt {
        DWORD access;
        DWORD share;
    };
    const Attempt attempts[] = {
        {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ},
        {GENERIC_READ, FILE_SHARE_READ},
        {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE},
    };
    for (const Attempt& a : attempts) {
        HANDLE h = CreateFileW(path.c_str(), a.access, a.share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
    }
    return INVALID_HANDLE_VALUE;
}

std::optional<std::string> ReadOpenFile(HANDLE file, std::size_t maxBytes) {
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        return std::nullopt;
    }
    // Read to the end rather than trust the size: the file may grow meanwhile.
    std::string content;
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) return std::nullopt;
        if (got == 0) return content;
        content.append(chunk, got);
        if (content.size() > maxBytes) return std::nullopt;
    }
}

bool WriteAll(HANDLE file, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

std::wstring TemporarySibling(const std::wstring& target) {
    return target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
}

// Creates temp with the content, flushed to the disk; nothing is left behind on failure.
bool WriteTemporary(const std::wstring& temp, const std::string& content) {
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = WriteAll(file, content) && FlushFileBuffers(file);
    CloseHandle(file);
    if (!written) DeleteFileW(temp.c_str());
    return written;
}

// Errors a virus scanner or an indexer cause while it holds a fresh file for a moment.
bool Transient(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
           error == ERROR_FILE_NOT_FOUND;
}

// Puts the finished temporary file in the target's place. ReplaceFileW keeps
// the target's attributes and leaves it whole when it fails.
bool SwapIn(const std::wstring& temp, const std::wstring& target) {
    constexpr int kAttempts = 10;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0) Sleep(50);
        const bool exists = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
        const BOOL ok = exists ? ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                              nullptr, nullptr)
                               : MoveFileExW(temp.c_str(), target.c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (ok) return true;
        if (!Transient(GetLastError())) return false;
    }
    return false;
}

}  // namespace

std::string AppDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_APPDATA, TRUE)) return {};
    std::string folder = Utf8(buffer);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string ProgramFilePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return Utf8(std::wstring(buffer.data(), length));
        if (buffer.size() >= 32768) return {};  // longer than any path Windows allows
        buffer.resize(buffer.size() * 2);
    }
}

bool FileExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const std::string& path) { return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0; }

bool RemoveFile(const std::string& path) { return DeleteFileW(Wide(path).c_str()) != 0; }

bool CanReadFile(const std::string& path) {
    // A folder cannot be opened without backup semantics, so it does not count.
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    // A folder cannot be opened without backup semantics, so it reads as nothing.
    HANDLE file = OpenForReading(Wide(path));
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> content = ReadOpenFile(file, maxBytes);
    CloseHandle(file);
    return content;
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    const std::wstring target = Wide(path);
    const std::wstring temp = TemporarySibling(target);
    if (!WriteTemporary(temp, content)) return false;
    if (SwapIn(temp, target)) return true;
    DeleteFileW(temp.c_str());
    return false;
}

bool WriteNewFile(const std::string& path, const std::string& content) {
    // Written beside the target and moved into place without replacing, so
    // a half-written file never stands under the target's name and a file
    // that appeared meanwhile is left alone.
    const std::wstring target = Wide(path);
    const std::wstring temp = TemporarySibling(target);
    if (!WriteTemporary(temp, content)) return false;
    if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temp.c_str());
    return false;
}

}  // namespace platform

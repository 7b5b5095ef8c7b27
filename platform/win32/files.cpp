// Files and folders through kernel32 and the shell.
#include "platform/files.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/win32/internal.h"
#include "platform/win32/text.h"

namespace platform::win32 {
void (*saveStepHook)(int step) = nullptr;
}  // namespace platform::win32

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
    win32::SaveStep(1);
    bool written = WriteAll(file, content);
    win32::SaveStep(2);
    written = written && FlushFileBuffers(file);
    win32::SaveStep(3);
    CloseHandle(file);
    win32::SaveStep(4);
    if (!written) DeleteFileW(temp.c_str());
    return written;
}

// Errors a virus scanner or an indexer cause while it holds a fresh file for a moment.
bool Transient(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
           error == ERROR_FILE_NOT_FOUND;
}

// Puts a finished file in the target's place with one rename that replaces
// the target, so that at every moment the target is the old or the new file.
// (ReplaceFileW is no such step: under Wine it removes the old file before it
// renames the new one, and a kill in between loses both names.)
bool SwapIn(const std::wstring& from, const std::wstring& target) {
    constexpr int kAttempts = 10;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0) Sleep(50);
        if (MoveFileExW(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        if (!Transient(GetLastError())) return false;
    }
    return false;
}

}  // namespace

std::string AppDataFolder() {
    // Windows puts the user's roaming application-data folder in the
    // environment at sign-in. The shell is asked only when that is missing:
    // loading it and its helpers costs milliseconds at every start.
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH);
    if ((length == 0 || length >= MAX_PATH) && !SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_APPDATA, TRUE))
        return {};
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
    // Some systems let the rename replace a read-only file; Windows refuses it.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    const std::wstring temp = TemporarySibling(target);
    if (!WriteTemporary(temp, content)) return false;
    if (SwapIn(temp, target)) {
        win32::SaveStep(5);
        return true;
    }
    DeleteFileW(temp.c_str());
    return false;
}

bool MoveFileInto(const std::string& from, const std::string& to) { return SwapIn(Wide(from), Wide(to)); }

std::vector<FoundFile> FindFiles(const std::string& folder, const std::string& pattern) {
    std::vector<FoundFile> found;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(Wide(folder + pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::uint64_t time =
            static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
        found.push_back({Utf8(data.cFileName), time});
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return found;
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

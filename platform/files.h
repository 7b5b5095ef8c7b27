#pragma once
// Files and folders. Paths are UTF-8 text with Windows separators ("\").
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The current user's application-data folder (created if missing), without a
// trailing "\"; empty when the shell cannot say.
std::string AppDataFolder();
// The full path of the running program file.
std::string ProgramFilePath();

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool CreateFolder(const std::string& path);  // one level
bool RemoveFile(const std::string& path);
// Whether the file can be opened for reading now (it exists and no other
// program holds it locked).
bool CanReadFile(const std::string& path);

// The whole content of a regular file, or nothing when it is missing, is a
// folder, cannot be opened, or is larger than maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);
// Writes the file so that it is either entirely the new content or, on any
// failure, still the old one: the content goes to the sibling temporary file
// path + ".<process id>.tmp", which then takes the file's place in one rename.
// A process killed before that rename leaves the temporary file behind. A
// file the user made read-only is kept as it is: false, nothing written.
bool WriteFileAtomically(const std::string& path, const std::string& content);
// Creates the file with the content only when nothing is at path yet: an
// existing file is never replaced, and a failed write leaves nothing behind.
bool WriteNewFile(const std::string& path, const std::string& content);
// Puts the file from in the place of to (replacing it) in one rename, written through.
bool MoveFileInto(const std::string& from, const std::string& to);

struct FoundFile {
    std::string name;          // without the folder
    std::uint64_t writeTime;   // later writes compare greater
};
// The files of folder (ending in "\", or empty for the current folder) whose
// names match pattern, where "*" stands for any run of characters.
std::vector<FoundFile> FindFiles(const std::string& folder, const std::string& pattern);

}  // namespace platform

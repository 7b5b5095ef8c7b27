#pragma once
// Files and folders. Paths are UTF-8 text with Windows separators ("\").
#include <cstddef>
#include <optional>
#include <string>

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
// failure, still the old one (a sibling temporary file swapped in).
bool WriteFileAtomically(const std::string& path, const std::string& content);
// Creates the file with the content only when nothing is at path yet: an
// existing file is never replaced, and a failed write leaves nothing behind.
bool WriteNewFile(const std::string& path, const std::string& content);

}  // namespace platform

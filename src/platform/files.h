// File helpers shared by every reader and writer. Paths are the file system's own text (UTF-8).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using byte_buffer = std::vector<std::uint8_t>;

// The longest path the file system takes (its PATH_MAX less the closing 0): stored paths are
// read back up to this length, and a longer one is never written.
constexpr std::size_t max_path_bytes = 4095;

// The largest file any reader takes in.
constexpr unsigned long long max_file_bytes = 1ULL << 30;

// The whole file, or nullopt when it cannot be opened or read, is no regular file (a pipe, a
// device, a folder) or is larger than max_file_bytes.
std::optional<byte_buffer> read_whole_file(const std::string& path);

// Writes the whole file beside the old one and replaces it only when every byte was written,
// so a failed save never destroys the previous file. False on any failure.
bool write_file_atomic(const std::string& path, const byte_buffer& bytes);

// Why the last read, write or copy of a file failed, in the system's words ("No space left on
// device"); empty before any failure.
std::string last_file_error();

// What tells one version of a file from another: a file replaced or written since gives another
// stamp. A missing file has the empty stamp.
struct file_stamp {
    bool exists = false;
    unsigned long long device = 0, inode = 0;
    long long size = 0, modified_ns = 0;
    bool operator==(const file_stamp&) const = default;
};
file_stamp stamp_of_file(const std::string& path);

// Tests: told of every read_whole_file, by path (nullptr: nobody).
void set_file_read_observer(std::function<void(const std::string& path)> observer);

// Tests: make the next write_file_atomic calls fail after `bytes_ok` bytes (-1 = never fail).
void set_write_failure_after(long long bytes_ok);

// Turns a stored Windows path ("C:\GAMES\X.MAP") into a local one: separators translated,
// drive dropped. A relative path stays relative.
std::string translate_stored_path(const std::string& stored);

// Finds an existing file whatever the letter case of each part of the path; the path is first
// translated as above. Returns the real path, or nullopt when nothing matches.
std::optional<std::string> find_file_case_blind(const std::string& path);

// A file named by a link stored in another file: translated as above; a relative link is taken
// from `holder_folder`, the folder of the file that holds it (never from the current folder).
std::optional<std::string> find_linked_file(const std::string& stored, const std::string& holder_folder);

bool path_is_readable_file(const std::string& path);
bool path_is_folder(const std::string& path);
bool make_folder(const std::string& path);
bool copy_file_replacing(const std::string& from, const std::string& to);
bool remove_file(const std::string& path);
bool rename_file(const std::string& from, const std::string& to);
// Files of a folder matching a wildcard such as "*.IPX", ignoring letter case; names only.
std::vector<std::string> list_files(const std::string& folder, const std::string& pattern);

// Two names alike but for the letter case of their ASCII letters (file names and extensions
// from a system that ignores case).
bool equal_ignoring_case(const std::string& a, const std::string& b);

// Parts of a path, with '/' as separator.
std::string folder_of(const std::string& path);         // without the trailing separator
std::string file_name_of(const std::string& path);      // name with extension
std::string without_extension(const std::string& path); // the path with its extension cut off
std::string base_name_of(const std::string& path);      // name without folder and extension
std::string join_path(const std::string& folder, const std::string& name);

// Makes the folder the process's current folder; false when it is empty or cannot be entered.
bool set_current_folder(const std::string& path);

// The folder of the running executable.
std::string executable_folder();

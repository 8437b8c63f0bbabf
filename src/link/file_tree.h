// Small readers of the Linux file system (sysfs, /dev, /proc) for port discovery, each giving
// an empty answer where a file cannot be read: nothing here fails loudly, a missing file
// only means less is known.
#pragma once

#include <string>
#include <vector>

namespace tarvek {

// A file's first line without its line end.
std::string ReadFirstLine(const std::string& path);
// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> ListDirectory(const std::string& path);
// Where a symbolic link points, as written in the link.
std::string ReadLink(const std::string& path);
// The path with every link resolved; the path itself when it does not resolve.
std::string CanonicalPath(const std::string& path);

}  // namespace tarvek

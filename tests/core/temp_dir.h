#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace zem::test {

// Memory-backed when the machine has such a place, where the flushes to the
// disk cost nothing: for tests of what other processes see, which the page
// cache decides.
inline std::filesystem::path fastBase() {
    const std::filesystem::path shm = "/dev/shm";
    if (::access(shm.c_str(), W_OK | X_OK) == 0)
        return shm;
    return std::filesystem::temp_directory_path();
}

// A fresh directory for one test, removed with everything in it afterwards.
class TempDir {
public:
    explicit TempDir(const std::filesystem::path &base = std::filesystem::temp_directory_path()) {
        std::string pattern = (base / "zem-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    std::string operator/(const std::string &name) const { return (path_ / name).string(); }

    // The names in the directory (or one of its subdirectories).
    std::set<std::string> names(const std::string &sub = ".") const {
        std::set<std::string> found;
        for (const auto &entry : std::filesystem::directory_iterator(path_ / sub))
            found.insert(entry.path().filename().string());
        return found;
    }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace zem::test

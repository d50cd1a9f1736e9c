#include "app/qt/history_export.h"

#include "history/csv_export.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace zem {

namespace {

// A name beside `file` that no other file has, made now (O_EXCL) with the
// mode a new file gets; empty when none can be made.
std::string createBeside(const std::string &file) {
    const auto slash = file.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    for (int n = 0; n < 100; ++n) {
        const std::string temporary =
            folder + "." + name + "." + std::to_string(::getpid()) + "-" + std::to_string(n);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return temporary;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

bool syncFile(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    return synced;
}

} // namespace

std::string exportHistoryCsv(const std::string &historyPath, const std::string &file) {
    auto cannot = [&](int error) {
        return file + " に書き出せません" + (error ? std::string(": ") + std::strerror(error) : "");
    };
    const std::string temporary = createBeside(file);
    if (temporary.empty())
        return cannot(errno);
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    const CsvExport done = writeHistoryCsv(historyPath, out);
    // A full disk often shows only when the last buffer goes out.
    out.close();
    const int error = errno;
    std::string why;
    if (done.outcome == CsvExport::Outcome::Refused)
        why = "成績を読めないので、書き出しませんでした（" +
              (done.spoolError.empty() ? done.state.detail : done.spoolError) + "）";
    else if (done.outcome == CsvExport::Outcome::CutShort)
        why = "成績を最後まで読めなかったので、書き出しませんでした";
    else if (!out || !syncFile(temporary) || ::rename(temporary.c_str(), file.c_str()) != 0)
        why = cannot(errno ? errno : error);
    if (!why.empty())
        ::unlink(temporary.c_str());
    return why;
}

} // namespace zem

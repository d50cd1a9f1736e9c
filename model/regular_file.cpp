#include "model/regular_file.h"

#include "model/descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {

RegularFile readRegularFile(const std::string &path, std::size_t limit) {
    using Fault = RegularFile::Fault;
    RegularFile file;
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0)
        file.fault = Fault::CannotOpen;
    else if (!S_ISREG(st.st_mode))
        file.fault = Fault::NotRegular;
    else if (std::size_t(st.st_size) > limit)
        file.fault = Fault::TooLarge;
    if (file.fault != Fault::None)
        return file;
    char buffer[65536];
    while (file.bytes.size() <= limit) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            file.fault = Fault::CannotRead;
            file.bytes.clear();
            return file;
        }
        if (n == 0)
            break;
        file.bytes.append(buffer, std::size_t(n));
    }
    return file;
}

} // namespace zem

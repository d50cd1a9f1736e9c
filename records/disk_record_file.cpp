#include "records/disk_record_file.h"

#include <fstream>
#include <iterator>

namespace zem {

std::optional<std::string> DiskRecordFile::read() {
    std::ifstream in(path_, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool DiskRecordFile::write(const std::string &bytes) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.flush();
    return bool(out);
}

} // namespace zem

#pragma once

#include "records/record_file.h"

#include <string>

namespace zem {

// The record file on disk, by a path relative to the current directory.
class DiskRecordFile final : public RecordFile {
public:
    explicit DiskRecordFile(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> read() override;
    bool write(const std::string &bytes) override;

private:
    std::string path_;
};

} // namespace zem

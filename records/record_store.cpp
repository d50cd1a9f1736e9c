#include "records/record_store.h"

namespace zem {

void RecordStore::clear() {
    lines_.clear();
    finalBreak_ = false;
}

void RecordStore::load(std::string_view bytes) {
    clear();
    std::string line;
    bool pendingLine = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines_.push_back(std::move(line));
            line.clear();
            pendingLine = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += c;
            pendingLine = true;
        }
    }
    finalBreak_ = !bytes.empty() && !pendingLine;
    if (pendingLine)
        lines_.push_back(std::move(line));
}

std::string RecordStore::get(int n) const {
    if (n < 0 || n >= lineCount())
        return {};
    return lines_[std::size_t(n)];
}

void RecordStore::put(int n, std::string text) {
    if (n < 0 || n >= lineCount())
        return;
    lines_[std::size_t(n)] = std::move(text);
}

std::string RecordStore::wholeText() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i];
        if (i + 1 < lines_.size() || finalBreak_)
            out += "\r\n";
    }
    return out;
}

} // namespace zem

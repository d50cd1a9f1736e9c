#include "records/record_store.h"

#include "records/number.h"

#include <algorithm>

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

bool RecordStore::takeHigher(const RecordStore &other, int count) {
    bool changed = false;
    for (int n = 0; n < std::min(count, lineCount()); ++n) {
        std::string theirs = other.get(n);
        const std::optional<double> high = parseNumber(theirs);
        const std::optional<double> ours = parseNumber(lines_[std::size_t(n)]);
        if (high && (!ours || *high > *ours)) {
            lines_[std::size_t(n)] = std::move(theirs);
            changed = true;
        }
    }
    return changed;
}

} // namespace zem

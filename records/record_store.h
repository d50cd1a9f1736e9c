#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zem {

// The record file's text as lines of bytes. CR LF, a lone CR and a lone LF
// each end a line; the whole text is written back with CR LF throughout and
// a final break exactly when the loaded text had one. Lines are never split.
class RecordStore {
public:
    // Before a load, and after a failed one, every line reads empty.
    void clear();
    void load(std::string_view bytes);

    // Line n without its break; empty beyond the last line.
    std::string get(int n) const;
    // Replaces line n; beyond the last line nothing happens.
    void put(int n, std::string text);
    std::string wholeText() const;
    // Takes each of the first `count` lines of `other` that holds a higher
    // number than this store's line, or a number where this one holds none,
    // byte for byte; true when a line changed. Lines past the end stay missing.
    bool takeHigher(const RecordStore &other, int count);

    int lineCount() const { return int(lines_.size()); }

private:
    std::vector<std::string> lines_;
    bool finalBreak_ = false;
};

} // namespace zem

// Any bytes as a record file: the lines read back, the whole text written,
// and that text read again.
#include "records/record_store.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool ok, const char *rule) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", rule);
        std::abort();
    }
}

// The lines by another road: every break turned into one LF, then split.
std::vector<std::string> referenceLines(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue; // the LF that follows makes the break
        text += bytes[i] == '\r' ? '\n' : bytes[i];
    }
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
        lines.push_back(text.substr(from, at - from));
    if (from < text.size())
        lines.push_back(text.substr(from));
    return lines;
}

bool endsInBreak(std::string_view s) {
    return !s.empty() && (s.back() == '\r' || s.back() == '\n');
}

void sameLines(const zem::RecordStore &store, const std::vector<std::string> &lines) {
    require(store.lineCount() == int(lines.size()), "line count");
    for (std::size_t n = 0; n < lines.size(); ++n)
        require(store.get(int(n)) == lines[n], "line text");
    require(store.get(-1).empty() && store.get(int(lines.size())).empty(),
            "a line beyond the text is not empty");
}

void onlyCrLfBreaks(std::string_view whole) {
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (whole[i] == '\r')
            require(i + 1 < whole.size() && whole[i + 1] == '\n', "lone CR written");
        if (whole[i] == '\n')
            require(i > 0 && whole[i - 1] == '\r', "lone LF written");
    }
}

// Puts chosen by the input's own bytes: in range they replace one line and
// nothing else; out of range they change nothing.
void putAndGet(zem::RecordStore &store, std::vector<std::string> lines, std::string_view bytes) {
    for (std::size_t k = 0; k + 1 < bytes.size() && k < 8; k += 2) {
        const int n = int(static_cast<unsigned char>(bytes[k])) % (store.lineCount() + 2) - 1;
        const std::string text = std::to_string(static_cast<unsigned char>(bytes[k + 1])) + ".5";
        store.put(n, text);
        if (n >= 0 && n < int(lines.size()))
            lines[std::size_t(n)] = text;
        sameLines(store, lines);
    }
    zem::RecordStore again;
    again.load(store.wholeText());
    sameLines(again, lines);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::vector<std::string> lines = referenceLines(bytes);
    zem::RecordStore store;
    store.load(bytes);
    sameLines(store, lines);
    for (const std::string &line : lines)
        require(line.find_first_of("\r\n") == std::string::npos, "a line holds a break");

    const std::string whole = store.wholeText();
    onlyCrLfBreaks(whole);
    require(endsInBreak(whole) == endsInBreak(bytes), "final break not kept as it was");
    zem::RecordStore again;
    again.load(whole);
    sameLines(again, lines);
    require(again.wholeText() == whole, "whole text changes when read again");

    putAndGet(store, lines, bytes);
    return 0;
}

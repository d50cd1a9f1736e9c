#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zem {

// One word of a sentence as the analyser cuts it: its text, and its reading
// in hiragana (empty when the analyser knows none). A word that leans on the
// one before it (a particle, an auxiliary verb, a suffix) is better not
// parted from it when the sentence must be cut.
struct Morpheme {
    std::string surface;
    std::string reading;
    bool joinsPrevious = false;
    bool operator==(const Morpheme &) const = default;
};

// Cuts text into words and reads them. The surfaces of the answer, put
// together, are the text given, spaces included.
class ReadingAnalyser {
public:
    virtual ~ReadingAnalyser() = default;
    virtual std::vector<Morpheme> analyse(std::string_view sentence) = 0;
};

} // namespace zem

#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zem {

// Table: the phrase table's letters only. Any: every spelling an input method
// takes, the table's included.
enum class SpellingRule { Table, Any };

// "table" or "any", as the settings file, --spelling and the history write a rule.
const char *spellingRuleName(SpellingRule rule);
std::optional<SpellingRule> spellingRuleNamed(std::string_view name);

// The spelling last used for a kana unit, by the player: unit text -> upper-case
// keys ("し" -> "SHI", "ん" -> "N", "っ" -> "XTU" or "" meaning doubling).
// Empty map: table spellings everywhere.
using SpellingChoices = std::map<std::string, std::string, std::less<>>;

// Judges the keys typed for one hiragana text. It follows every spelling the
// keys so far could still be, as threads over the text, and drops those a key
// leaves; a key that leaves none is a miss and changes nothing. A copy goes
// on from where the original stood, on its own.
class SpellingJudge {
public:
    // A new phrase: its hiragana text, which tableRomaji() can spell. With
    // Table, exactly the letters of tableRomaji(kana) are taken, in order.
    void start(std::string_view hiragana, SpellingRule rule,
               const SpellingChoices *choices = nullptr);
    // One typed key (either case): true when some spelling takes it.
    bool type(char key);
    // Whether Any would take the key that this judge, under Table, has just
    // refused: a spelling an input method knows (SHI, TSU, CHI, FU, JI, a
    // single N before a consonant or a mark, ...) that the table does not.
    // Always false under Any, which refuses only what no spelling takes.
    bool anySpellingTakes(char key) const;
    // The rest of the spelling being typed, upper-case: the remaining keys of
    // the spelling the keys have chosen so far, then each kana not yet begun in
    // the player's last spelling for it where that is allowed there, else the
    // table's.
    const std::string &rest() const { return rest_; }
    bool done() const;
    // The kana the next key belongs to (for counting misses), empty when done.
    std::string_view currentKana() const;
    // Where that kana lies in the text, in bytes: everything before `begin` is
    // typed, and `begin` is the text's size once done.
    struct Span {
        std::size_t begin = 0;
        std::size_t size = 0;
    };
    Span currentSpan() const;
    // Units finished for certain since the last call, each with its keys.
    std::vector<std::pair<std::string, std::string>> takeFinished();

private:
    // What a segment asks of the first key of the next one: nothing, a key
    // an input method does not read together with a single N (after ん as N:
    // no vowel, N, Y or apostrophe), or one letter (after a doubled consonant
    // for っ).
    static constexpr char kAny = 0, kAfterN = '*';
    // One spelling of the kana from character `pos` up to `next`. Its keys
    // lie in keys_ and its kana in text_, as offsets, so that a copy of the
    // judge stands on its own copies.
    struct Segment {
        std::uint32_t keyAt;
        std::uint8_t keyCount;
        std::uint16_t pos;
        std::uint16_t next;
        char then;
    };
    struct Thread {
        std::uint16_t pos;
        std::uint16_t seg; // with typed > 0: the segment being typed
        std::uint8_t typed;
        char need; // with typed == 0: what the next segment must start with
        std::int32_t trail;
    };
    struct Step { // one segment a thread finished, linked to the one before
        std::uint16_t seg;
        std::uint16_t depth;
        std::int32_t prev;
    };

    std::string_view keysOf(const Segment &s) const {
        return std::string_view(keys_).substr(s.keyAt, s.keyCount);
    }
    std::string_view kanaOf(const Segment &s) const {
        return std::string_view(text_).substr(charStart_[s.pos],
                                              charStart_[s.next] - charStart_[s.pos]);
    }
    void addSegment(std::size_t pos, std::size_t next, std::string_view keys, char then);
    void buildTableSegments();
    void buildAnySegments();
    void addRow(std::size_t pos, std::size_t chars);
    void addSokuonDoublings(std::size_t pos);
    void chooseShown(const SpellingChoices *choices);
    int shownAt(std::size_t pos, const SpellingChoices *choices) const;
    int segmentWithKeys(std::size_t pos, std::size_t next, std::string_view keys) const;
    static bool allows(char need, std::string_view keys);
    void advance(const Thread &from, std::uint16_t seg, std::uint8_t typed);
    const Thread *shownThread() const;
    int bestAt(std::size_t pos, char need) const;
    int currentSegment() const;
    void appendRest(std::size_t pos, char need, std::string &out) const;
    void updateRest();

    std::string text_;
    SpellingRule rule_ = SpellingRule::Table;
    std::vector<std::size_t> charStart_; // byte offset of each character, and the end
    std::string keys_;                   // every segment's keys, one after another
    std::vector<Segment> segments_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> at_; // segments of each position
    std::vector<int> shown_;                                  // segment shown at each position
    std::vector<std::string> shownRest_;                      // keys shown from each position on
    std::vector<Thread> threads_, next_;
    std::vector<Step> steps_;
    std::int32_t reported_ = -1; // the last step takeFinished() gave out
    std::string rest_;
};

} // namespace zem

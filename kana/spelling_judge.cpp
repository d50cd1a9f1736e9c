#include "kana/spelling_judge.h"

#include "kana/kana_text.h"
#include "kana/romaji_table.h"
#include "kana/table_romaji.h"
#include "model/utf8.h"

#include <algorithm>

namespace zem {

namespace {

// The one-letter keys the rules for ん and っ make up.
constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::string_view letter(char c) {
    return kLetters.substr(std::size_t(c - 'A'), 1);
}

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

} // namespace

const char *spellingRuleName(SpellingRule rule) {
    return rule == SpellingRule::Any ? "any" : "table";
}

std::optional<SpellingRule> spellingRuleNamed(std::string_view name) {
    if (name == "table")
        return SpellingRule::Table;
    if (name == "any")
        return SpellingRule::Any;
    return std::nullopt;
}

void SpellingJudge::start(std::string_view hiragana, SpellingRule rule,
                          const SpellingChoices *choices) {
    text_ = hiragana;
    rule_ = rule;
    charStart_.clear();
    for (std::size_t at = 0; at < text_.size(); at += utf8CharLength(text_, at))
        charStart_.push_back(at);
    charStart_.push_back(text_.size());
    segments_.clear();
    keys_.clear();
    at_.assign(charStart_.size(), {0, 0});
    if (rule == SpellingRule::Table)
        buildTableSegments();
    else
        buildAnySegments();
    chooseShown(rule == SpellingRule::Any ? choices : nullptr);
    threads_.assign(1, Thread{0, 0, 0, kAny, -1});
    steps_.clear();
    reported_ = -1;
    rest_.reserve(shownRest_.front().size());
    updateRest();
}

void SpellingJudge::addSegment(std::size_t pos, std::size_t next, std::string_view keys,
                               char then) {
    segments_.push_back({std::uint32_t(keys_.size()), std::uint8_t(keys.size()), std::uint16_t(pos),
                         std::uint16_t(next), then});
    keys_ += keys;
}

// One segment per unit, its table letters: a single path through the text.
void SpellingJudge::buildTableSegments() {
    const std::vector<std::string> units = kanaUnits(text_);
    std::size_t byte = 0, pos = 0;
    for (std::size_t u = 0; u < units.size(); ++u) {
        std::size_t next = pos;
        while (charStart_[next] < byte + units[u].size())
            ++next;
        const std::string keys = unitTableRomaji(units, u);
        if (!keys.empty()) {
            at_[pos] = {std::uint32_t(segments_.size()), std::uint32_t(segments_.size() + 1)};
            addSegment(pos, next, keys, kAny);
        }
        byte += units[u].size();
        pos = next;
    }
}

// Every spelling of one or two characters at each position, built from the end
// because っ doubles what the next position's spellings start with.
void SpellingJudge::buildAnySegments() {
    const std::size_t chars = charStart_.size() - 1;
    for (std::size_t pos = chars; pos-- > 0;) {
        const auto begin = std::uint32_t(segments_.size());
        if (pos + 1 < chars)
            addRow(pos, 2);
        addRow(pos, 1);
        const std::string_view kana =
            std::string_view(text_).substr(charStart_[pos], charStart_[pos + 1] - charStart_[pos]);
        if (kana == "ん")
            addSegment(pos, pos + 1, letter('N'), kAfterN);
        if (kana == "っ")
            addSokuonDoublings(pos);
        at_[pos] = {begin, std::uint32_t(segments_.size())};
    }
}

void SpellingJudge::addRow(std::size_t pos, std::size_t chars) {
    const std::string_view kana =
        std::string_view(text_).substr(charStart_[pos], charStart_[pos + chars] - charStart_[pos]);
    const KanaSpellings *row = findSpellings(kana);
    if (!row)
        return;
    std::string_view all = row->spellings;
    while (!all.empty()) {
        const std::size_t space = std::min(all.find(' '), all.size());
        addSegment(pos, pos + chars, all.substr(0, space), kAny);
        all.remove_prefix(std::min(space + 1, all.size()));
    }
}

void SpellingJudge::addSokuonDoublings(std::size_t pos) {
    const std::size_t begin = segments_.size();
    for (std::uint32_t s = at_[pos + 1].first; s < at_[pos + 1].second; ++s) {
        if (!doublesForSokuon(keysOf(segments_[s])))
            continue;
        const char first = keys_[segments_[s].keyAt];
        const bool known = std::any_of(segments_.begin() + std::ptrdiff_t(begin), segments_.end(),
                                       [&](const Segment &seg) { return seg.then == first; });
        if (!known)
            addSegment(pos, pos + 1, letter(first), first);
    }
}

void SpellingJudge::chooseShown(const SpellingChoices *choices) {
    const std::size_t chars = charStart_.size() - 1;
    shown_.assign(chars + 1, -1);
    shownRest_.assign(chars + 1, std::string());
    for (std::size_t pos = chars; pos-- > 0;) {
        shown_[pos] = shownAt(pos, choices);
        if (shown_[pos] < 0)
            continue;
        const Segment &seg = segments_[std::size_t(shown_[pos])];
        shownRest_[pos] = std::string(keysOf(seg)) + shownRest_[seg.next];
    }
}

// The spelling shown for a kana not yet begun: the player's last one for the
// unit where it can stand here, else the table's.
int SpellingJudge::shownAt(std::size_t pos, const SpellingChoices *choices) const {
    const auto [first, last] = at_[pos];
    if (first == last)
        return -1;
    const Segment &table = segments_[first];
    const std::string_view kana = kanaOf(table);
    const std::string_view after = shownRest_[pos + 1];
    const bool beforeSokuon = pos + 2 < charStart_.size() &&
                              std::string_view(text_).substr(charStart_[pos + 1], 3) == "っ";
    std::string_view wanted = keysOf(table);
    if (kana == "っ" && !beforeSokuon && doublesForSokuon(after))
        wanted = letter(after[0]);
    if (choices) {
        const auto choice = choices->find(kana);
        if (choice != choices->end())
            wanted = kana == "っ" && choice->second.empty() && doublesForSokuon(after)
                         ? letter(after[0])
                         : std::string_view(choice->second);
    }
    const int chosen = segmentWithKeys(pos, table.next, wanted);
    if (chosen >= 0 && allows(segments_[std::size_t(chosen)].then, after))
        return chosen;
    return segmentWithKeys(pos, table.next, keysOf(table));
}

int SpellingJudge::segmentWithKeys(std::size_t pos, std::size_t next, std::string_view keys) const {
    for (std::uint32_t s = at_[pos].first; s < at_[pos].second; ++s)
        if (segments_[s].next == next && keysOf(segments_[s]) == keys)
            return int(s);
    return -1;
}

bool SpellingJudge::allows(char need, std::string_view keys) {
    if (need == kAny)
        return true;
    if (keys.empty())
        return false;
    const char c = keys.front();
    if (need != kAfterN)
        return c == need;
    // An input method turns a single N into ん as soon as the next key can
    // no longer continue a spelling with it: a consonant but N and Y, and
    // anything that is no letter (ー's "-", "、" and "。" typed as "," and ".").
    return std::string_view("AIUEONY'").find(c) == std::string_view::npos;
}

bool SpellingJudge::type(char key) {
    const char k = upperAscii(key);
    next_.clear();
    for (const Thread &t : threads_) {
        if (t.typed > 0) {
            if (keys_[segments_[t.seg].keyAt + t.typed] == k)
                advance(t, t.seg, std::uint8_t(t.typed + 1));
            continue;
        }
        for (std::uint32_t s = at_[t.pos].first; s < at_[t.pos].second; ++s)
            if (keys_[segments_[s].keyAt] == k && allows(t.need, keysOf(segments_[s])))
                advance(t, std::uint16_t(s), 1);
    }
    if (next_.empty())
        return false;
    // A spelling that has reached the end is the one typed; nothing is left
    // for the others to take.
    const std::size_t end = charStart_.size() - 1;
    const auto finished = std::find_if(
        next_.begin(), next_.end(), [&](const Thread &t) { return t.typed == 0 && t.pos == end; });
    if (finished != next_.end())
        next_.assign(1, *finished);
    std::swap(threads_, next_);
    updateRest();
    return true;
}

// The table's single spelling is one of Any's, so a judge under Any from the
// start of the unit being typed, given the keys typed of it, stands where
// this one does with every spelling open.
bool SpellingJudge::anySpellingTakes(char key) const {
    if (rule_ != SpellingRule::Table || done())
        return false;
    const Thread &t = threads_.front();
    const std::size_t pos = t.typed > 0 ? segments_[t.seg].pos : t.pos;
    const std::string_view typed =
        t.typed > 0 ? keysOf(segments_[t.seg]).substr(0, t.typed) : std::string_view();
    SpellingJudge any;
    any.start(std::string_view(text_).substr(charStart_[pos]), SpellingRule::Any);
    for (char c : typed)
        if (!any.type(c))
            return false;
    return any.type(key);
}

void SpellingJudge::advance(const Thread &from, std::uint16_t seg, std::uint8_t typed) {
    const Segment &s = segments_[seg];
    Thread t{from.pos, seg, typed, kAny, from.trail};
    const bool finished = typed == s.keyCount;
    if (finished) {
        t = Thread{s.next, 0, 0, s.then, -1};
        // ん as N or a doubled consonant with nothing after it that fits is
        // no spelling (a single N at the end, N before a vowel).
        if (bestAt(s.next, s.then) < 0 && !(s.then == kAny && s.next + 1u == charStart_.size()))
            return;
    }
    const bool seen = std::any_of(next_.begin(), next_.end(), [&](const Thread &u) {
        return u.pos == t.pos && u.seg == t.seg && u.typed == t.typed && u.need == t.need;
    });
    if (seen)
        return;
    if (finished) {
        const int depth = from.trail < 0 ? 1 : steps_[std::size_t(from.trail)].depth + 1;
        steps_.push_back({seg, std::uint16_t(depth), from.trail});
        t.trail = std::int32_t(steps_.size() - 1);
    }
    next_.push_back(t);
}

bool SpellingJudge::done() const {
    // A judge that was never started has nothing to type.
    if (threads_.empty())
        return true;
    return threads_.size() == 1 && threads_.front().typed == 0 &&
           threads_.front().pos + 1u == charStart_.size();
}

// The thread whose segment is the one shown for its kana, else the first:
// the keys typed so far fit the shown spelling as long as such a thread lives.
const SpellingJudge::Thread *SpellingJudge::shownThread() const {
    for (const Thread &t : threads_) {
        const int seg = t.typed > 0 ? t.seg : t.trail >= 0 ? steps_[std::size_t(t.trail)].seg : -1;
        if (seg >= 0 && shown_[segments_[std::size_t(seg)].pos] == seg)
            return &t;
    }
    return &threads_.front();
}

// The segment to show at a position whose first key is bound by `need`.
int SpellingJudge::bestAt(std::size_t pos, char need) const {
    if (shown_[pos] >= 0 && allows(need, keysOf(segments_[std::size_t(shown_[pos])])))
        return shown_[pos];
    for (std::uint32_t s = at_[pos].first; s < at_[pos].second; ++s)
        if (allows(need, keysOf(segments_[s])))
            return int(s);
    return -1;
}

void SpellingJudge::appendRest(std::size_t pos, char need, std::string &out) const {
    if (allows(need, shownRest_[pos])) {
        out += shownRest_[pos];
        return;
    }
    const int seg = bestAt(pos, need);
    if (seg < 0)
        return;
    const Segment &s = segments_[std::size_t(seg)];
    out += keysOf(s);
    appendRest(s.next, s.then, out);
}

void SpellingJudge::updateRest() {
    rest_.clear();
    const Thread &t = *shownThread();
    if (t.typed == 0) {
        appendRest(t.pos, t.need, rest_);
        return;
    }
    const Segment &s = segments_[t.seg];
    rest_ += keysOf(s).substr(t.typed);
    appendRest(s.next, s.then, rest_);
}

int SpellingJudge::currentSegment() const {
    if (done())
        return -1;
    const Thread &t = *shownThread();
    return t.typed > 0 ? t.seg : bestAt(t.pos, t.need);
}

std::string_view SpellingJudge::currentKana() const {
    const int seg = currentSegment();
    return seg < 0 ? std::string_view() : kanaOf(segments_[std::size_t(seg)]);
}

SpellingJudge::Span SpellingJudge::currentSpan() const {
    const int seg = currentSegment();
    if (seg < 0)
        return {text_.size(), 0};
    const Segment &s = segments_[std::size_t(seg)];
    return {charStart_[s.pos], charStart_[s.next] - charStart_[s.pos]};
}

std::vector<std::pair<std::string, std::string>> SpellingJudge::takeFinished() {
    // The steps every living thread has taken are the ones certainly typed:
    // those up to the threads' deepest common step.
    std::int32_t common = threads_.front().trail;
    const auto depth = [&](std::int32_t step) {
        return step < 0 ? 0 : steps_[std::size_t(step)].depth;
    };
    for (const Thread &t : threads_) {
        std::int32_t other = t.trail;
        while (common != other) {
            if (depth(common) >= depth(other))
                common = common < 0 ? -1 : steps_[std::size_t(common)].prev;
            else
                other = steps_[std::size_t(other)].prev;
        }
    }
    std::vector<std::pair<std::string, std::string>> finished;
    for (std::int32_t step = common; step != reported_ && step >= 0;
         step = steps_[std::size_t(step)].prev) {
        const Segment &s = segments_[steps_[std::size_t(step)].seg];
        // A doubled consonant is recorded as the rule, not as its letter.
        const bool doubling = kanaOf(s) == "っ" && s.then != kAny;
        finished.emplace_back(std::string(kanaOf(s)),
                              doubling ? std::string() : std::string(keysOf(s)));
    }
    std::reverse(finished.begin(), finished.end());
    reported_ = common;
    return finished;
}

} // namespace zem

// Any bytes as a phrase file: a file is taken whole or refused with a message
// that names what is wrong, and every phrase taken keeps the limits and can
// be typed, letter by letter, as the table spells it.
#include "kana/spelling_judge.h"
#include "lists/phrase_list.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void broken(const char *rule) {
    std::fprintf(stderr, "broken: %s\n", rule);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const zem::ListResult result = zem::parsePhraseList(bytes, "fuzz");
    if (!result.list) {
        if (result.message.empty())
            broken("a refused file says why");
        return 0;
    }
    if (!result.message.empty() || !result.problems.empty() || result.list->phrases.empty())
        broken("a list taken has phrases and no problem");
    zem::SpellingJudge judge;
    for (const zem::ListPhrase &phrase : result.list->phrases) {
        if (phrase.display.empty() || phrase.romaji.empty() ||
            phrase.romaji.size() > std::size_t(zem::kMaxRomajiLength))
            broken("a phrase keeps the limits");
        judge.start(phrase.kana, zem::SpellingRule::Table);
        if (judge.rest() != phrase.romaji)
            broken("the table's judge shows the phrase's romaji");
        for (char key : phrase.romaji)
            if (!judge.type(key))
                broken("the phrase's own letters are taken");
        if (!judge.done())
            broken("the phrase's letters type it to its end");
    }
    return 0;
}

// Any bytes as a text to type: refused with a reason or cut into sentences,
// and every phrase of every sentence keeps the bubble's limits, types as the
// table spells its reading, and shows the sentence's own text in order. The
// analyser here reads each character alone, as か where it is no kana.
#include "kana/table_romaji.h"
#include "lists/phrase_list.h"
#include "texts/text_chars.h"
#include "texts/text_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void broken(const char *rule) {
    std::fprintf(stderr, "broken: %s\n", rule);
    std::abort();
}

class CharacterAnalyser final : public zem::ReadingAnalyser {
public:
    std::vector<zem::Morpheme> analyse(std::string_view text) override {
        std::vector<zem::Morpheme> words;
        for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
            zem::codePointAt(text, at, length);
            words.push_back({std::string(text.substr(at, length)), "か", at % 3 == 0});
        }
        return words;
    }
};

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (std::size_t at = 0, length = 0; at < text.size(); at += length)
        if (zem::charKind(zem::codePointAt(text, at, length)) != zem::CharKind::Blank)
            out.append(text.substr(at, length));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const zem::TextFile file = zem::readTextBytes(bytes, "fuzz");
    if (!file.book) {
        if (file.refusal.empty())
            broken("a refused text says why");
        return 0;
    }
    if (!file.refusal.empty() || file.book->sentenceCount() == 0 || file.book->title().empty())
        broken("a text taken has a title, sentences and no refusal");
    CharacterAnalyser analyser;
    for (std::size_t i = 0; i < file.book->sentenceCount() && i < 64; ++i) {
        zem::LeftOut why = zem::LeftOut::No;
        const std::vector<zem::TextPhrase> phrases = file.book->phrasesOf(i, &analyser, &why);
        if (phrases.empty() != (why != zem::LeftOut::No))
            broken("a sentence gives phrases exactly when it is not left out");
        if (!file.book->needsAnalyser(i) && file.book->phrasesOf(i, nullptr) != phrases)
            broken("a sentence that needs no analyser reads the same without it");
        std::string shown;
        for (const zem::TextPhrase &phrase : phrases) {
            std::string romaji;
            if (phrase.display.empty() ||
                zem::characterCount(phrase.display) > std::size_t(zem::kMaxDisplayLength) ||
                phrase.romaji.empty() || phrase.romaji.size() > std::size_t(zem::kMaxRomajiLength))
                broken("a phrase keeps the limits");
            if (!zem::tableRomaji(phrase.kana, romaji) || romaji != phrase.romaji)
                broken("a phrase's romaji is the table's spelling of its kana");
            shown += phrase.display;
        }
        if (!phrases.empty() && withoutBlanks(shown) != withoutBlanks(file.book->sentence(i).text))
            broken("the phrases show the sentence in order");
    }
    return 0;
}

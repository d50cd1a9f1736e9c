#include "texts/text_reading.h"

namespace zem {

TextReading::TextReading(const TextBook &book, TextPlace start, Opener opener)
    : book_(book), start_(start.sentence < book.sentenceCount() ? start : TextPlace{}),
      opener_(std::move(opener)) {}

TextBatch TextReading::next(std::size_t phrases) {
    TextBatch batch;
    const std::size_t count = book_.sentenceCount();
    while (read_ < count && batch.phrases.size() < phrases) {
        const std::size_t sentence = (start_.sentence + read_) % count;
        const std::size_t skipped = read_ == 0 ? start_.part : 0;
        if (book_.needsAnalyser(sentence) && !analyser_) {
            if (!refusal_.empty() || !(analyser_ = opener_(refusal_))) {
                if (refusal_.empty())
                    refusal_ = "読みがなを付けられません";
                batch.refusal = refusal_;
                return batch;
            }
        }
        LeftOut why = LeftOut::No;
        std::vector<TextPhrase> phrases = book_.phrasesOf(sentence, analyser_.get(), &why);
        for (std::size_t part = skipped; part < phrases.size(); ++part)
            batch.phrases.push_back({sentence, part, std::move(phrases[part])});
        if (why != LeftOut::No && why != LeftOut::NothingToType)
            ++batch.leftOut;
        ++read_;
    }
    batch.done = read_ == count;
    return batch;
}

TextPlace textStart(std::uint64_t bookmarkHash, TextPlace bookmark, std::uint64_t contentHash,
                    std::size_t sentenceCount) {
    return bookmarkHash == contentHash && bookmark.sentence < sentenceCount ? bookmark
                                                                           : TextPlace{};
}

} // namespace zem

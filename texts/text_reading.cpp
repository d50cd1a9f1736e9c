#include "texts/text_reading.h"

namespace zem {

TextReading::TextReading(const TextBook &book, std::size_t start, Opener opener)
    : book_(book), start_(start < book.sentenceCount() ? start : 0), opener_(std::move(opener)) {}

TextBatch TextReading::next(std::size_t phrases) {
    TextBatch batch;
    const std::size_t count = book_.sentenceCount();
    while (read_ < count && batch.phrases.size() < phrases) {
        const std::size_t sentence = (start_ + read_) % count;
        if (book_.needsAnalyser(sentence) && !analyser_) {
            if (!refusal_.empty() || !(analyser_ = opener_(refusal_))) {
                if (refusal_.empty())
                    refusal_ = "読みがなを付けられません";
                batch.refusal = refusal_;
                return batch;
            }
        }
        LeftOut why = LeftOut::No;
        for (TextPhrase &phrase : book_.phrasesOf(sentence, analyser_.get(), &why))
            batch.phrases.push_back({sentence, std::move(phrase)});
        if (why != LeftOut::No && why != LeftOut::NothingToType)
            ++batch.leftOut;
        ++read_;
    }
    batch.done = read_ == count;
    return batch;
}

std::size_t textStart(std::uint64_t bookmarkHash, std::size_t bookmarkSentence,
                      std::uint64_t contentHash, std::size_t sentenceCount) {
    return bookmarkHash == contentHash && bookmarkSentence < sentenceCount ? bookmarkSentence
                                                                          : 0;
}

} // namespace zem

#pragma once

#include "texts/text_book.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zem {

// A place in a text: a sentence, and which of the phrases it was cut into.
struct TextPlace {
    std::size_t sentence = 0;
    std::size_t part = 0;
    bool operator==(const TextPlace &) const = default;
};

// A phrase of a text with its place, for the bookmark.
struct PlacedPhrase {
    std::size_t sentence = 0;
    std::size_t part = 0;
    TextPhrase phrase;
};

// What one step of a reading made.
struct TextBatch {
    std::vector<PlacedPhrase> phrases;
    int leftOut = 0;      // sentences left out in this batch
    bool done = false;    // every sentence has been read
    std::string refusal;  // the text needs the analyser and there is none
};

// Reads a book's sentences in the order a player types them: from `start` to
// the end (the start's sentence from its part on), then from the beginning up
// to `start`, so the first phrase is the one the player left off at. The analyser is asked for only when a
// sentence needs one; when it cannot be had the reading stops with the
// reason, since every such sentence would be lost.
class TextReading {
public:
    using Opener = std::function<std::unique_ptr<ReadingAnalyser>(std::string &why)>;
    TextReading(const TextBook &book, TextPlace start, Opener opener);

    // Reads on until `phrases` phrases are made or the book is read through.
    TextBatch next(std::size_t phrases);

private:
    const TextBook &book_;
    TextPlace start_;
    std::size_t read_ = 0; // sentences read so far, counted from start_
    Opener opener_;
    std::unique_ptr<ReadingAnalyser> analyser_;
    std::string refusal_;
};

// Where a text starts: at its bookmark when the bookmark is of these very
// contents and within the text, else at its beginning.
TextPlace textStart(std::uint64_t bookmarkHash, TextPlace bookmark, std::uint64_t contentHash,
                    std::size_t sentenceCount);

} // namespace zem

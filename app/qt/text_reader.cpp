#include "app/qt/text_reader.h"

#include "app/qt/form_window.h"
#include "app/t_form1.h"
#include "model/failure.h"
#include "texts/mecab_analyser.h"
#include "texts/text_file.h"
#include "texts/text_reading.h"

#include <QMetaObject>

namespace zem {

namespace {

// Enough for the first game's first phrases; the rest follow in batches.
constexpr std::size_t kFirstPhrases = 8, kBatchPhrases = 2000;

std::vector<TextPhrases::Placed> placed(std::vector<PlacedPhrase> phrases) {
    std::vector<TextPhrases::Placed> out;
    out.reserve(phrases.size());
    for (PlacedPhrase &p : phrases)
        out.push_back(
            {p.sentence,
             p.part,
             {std::move(p.phrase.display), std::move(p.phrase.kana), std::move(p.phrase.romaji)}});
    return out;
}

} // namespace

TextReader::TextReader(FormWindow &window) : QObject(&window), window_(window) {}

TextReader::~TextReader() {
    stop();
}

void TextReader::stop() {
    if (stopped_)
        *stopped_ = true;
    if (reader_.joinable())
        reader_.join();
}

void TextReader::open(const std::string &path, const TextBookmark &mark) {
    stop();
    auto stopped = stopped_ = std::make_shared<std::atomic<bool>>(false);
    // Runs a call on the GUI thread unless the reading was stopped meanwhile.
    auto post = [this, stopped](auto call) {
        QMetaObject::invokeMethod(
            this,
            [stopped, call = std::move(call)]() mutable {
                if (!*stopped)
                    call();
            },
            Qt::QueuedConnection);
    };
    reader_ = std::thread([this, post, stopped, path, mark] {
        auto file = std::make_shared<TextFile>(readTextFile(path));
        if (!file->book) {
            post([this, file] { window_.dispatch([&] { throw Failure(file->refusal); }); });
            return;
        }
        const TextBook &book = *file->book;
        const TextPlace start = textStart(mark.contentHash, {mark.sentence, mark.part},
                                          file->contentHash, book.sentenceCount());
        TextReading reading(book, start, [](std::string &why) { return openMecab(why); });
        TextBatch first = reading.next(kFirstPhrases);
        auto text = std::make_shared<std::unique_ptr<TextPhrases>>(std::make_unique<TextPhrases>(
            path, file->contentHash, book.title(), book.sentenceCount()));
        (*text)->add(placed(std::move(first.phrases)), first.leftOut);
        const TextPhrases *source = text->get();
        const bool over = !first.refusal.empty() || first.done;
        post([this, text, first = std::move(first), title = book.title(), source, stopped] {
            window_.dispatch([&] {
                if (!first.refusal.empty())
                    throw Failure(first.refusal);
                if ((*text)->empty())
                    throw Failure("「" + title + "」には打てる文がありません");
                window_.form().useText(std::move(*text));
            });
            // Not taken (a game began meanwhile): nothing more to read for.
            if (window_.form().sources().text() != source)
                *stopped = true;
        });
        if (over)
            return;
        while (!*stopped) {
            auto batch = std::make_shared<TextBatch>(reading.next(kBatchPhrases));
            post([this, batch, source] {
                // Only into the text it was read for, while it is in play.
                if (window_.form().sources().text() != source)
                    return;
                if (!batch->refusal.empty())
                    window_.dispatch([&] { throw Failure(batch->refusal); });
                window_.form().textRead(placed(std::move(batch->phrases)), batch->leftOut);
            });
            if (batch->done || !batch->refusal.empty())
                return;
        }
    });
}

} // namespace zem

#include "game/phrase_sources.h"

namespace zem {

void PhraseSources::useList(PoolPhrases list) {
    list_.emplace(std::move(list));
    text_.reset();
    practiceArmed_ = lessonArmed_ = false;
    game_ = chosen();
}

void PhraseSources::useTable() {
    list_.reset();
    text_.reset();
    practiceArmed_ = lessonArmed_ = false;
    game_ = chosen();
}

void PhraseSources::useText(std::unique_ptr<TextPhrases> text) {
    list_.reset();
    text_ = std::move(text);
    practiceArmed_ = lessonArmed_ = false;
    game_ = chosen();
}

const std::string &PhraseSources::listName() const {
    return list_ ? list_->listName() : text_ ? text_->listName() : table_.listName();
}

void PhraseSources::armPractice(const std::vector<std::string> &weakKana, bool wordMode) {
    practice_ = std::make_unique<PracticePhrases>(list_ ? list_->phrases() : tablePool(wordMode),
                                                  weakKana, listName());
    practiceKana_ = weakKana;
    practiceArmed_ = true;
    lessonArmed_ = false;
}

void PhraseSources::armLesson(int step, std::vector<PoolPhrase> phrases) {
    lesson_.emplace(std::move(phrases));
    lessonStep_ = step;
    lessonArmed_ = true;
    practiceArmed_ = false;
}

void PhraseSources::beginGame() {
    game_ = practiceArmed_ ? Kind::Practice : lessonArmed_ ? Kind::Lesson : chosen();
    practiceArmed_ = lessonArmed_ = false;
}

const PhraseSource &PhraseSources::game() const {
    switch (game_) {
    case Kind::List:
        return *list_;
    case Kind::Text:
        return *text_;
    case Kind::Practice:
        return *practice_;
    case Kind::Lesson:
        return *lesson_;
    case Kind::Table:
        break;
    }
    return table_;
}

} // namespace zem

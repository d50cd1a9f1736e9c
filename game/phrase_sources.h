#pragma once

#include "game/phrase_source.h"
#include "game/practice_phrases.h"
#include "game/text_phrases.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zem {

// Every source the game draws its phrases from, owned here: the built-in
// table, the player's list or text in play, and a practice draw or a lesson
// step armed for one game.
// The game asks which source a new game takes and keeps to it; a source is
// only replaced between games, so the game in play never loses its own.
class PhraseSources {
public:
    // The list from the next START on, whatever the mode; a practice game
    // armed for another source is dropped.
    void useList(PoolPhrases list);
    void useTable();
    // A text from the next START on, typed in order; its phrases come as
    // they are read, through text().
    void useText(std::unique_ptr<TextPhrases> text);
    // The list in play; null for the built-in table or a text.
    const PoolPhrases *list() const { return list_ ? &*list_ : nullptr; }
    // The text in play; null for any other source.
    TextPhrases *text() const { return text_.get(); }
    const std::string &listName() const;

    // The next START plays one practice game from the phrases in play (the
    // list's, or the table's of the mode), drawn toward `weakKana`.
    void armPractice(const std::vector<std::string> &weakKana, bool wordMode);

    // The next START plays one game of a lesson step from its own phrases,
    // each as likely as the next. Its games belong to the step in the
    // history, never to a list.
    void armLesson(int step, std::vector<PoolPhrase> phrases);

    // START: the new game's source; an armed practice or lesson game is used
    // once.
    void beginGame();
    // The source of the game in play, or of the last one.
    const PhraseSource &game() const;
    // Only the table's games count for the records.
    bool tableGame() const { return game_ == Kind::Table; }
    bool practiceGame() const { return game_ == Kind::Practice; }
    bool textGame() const { return game_ == Kind::Text; }
    // The lesson step of the game in play or last played; 0 for none.
    int lessonGame() const { return game_ == Kind::Lesson ? lessonStep_ : 0; }
    // The weak kana of the practice game in play or last played.
    const std::vector<std::string> &practiceKana() const { return practiceKana_; }

private:
    enum class Kind { Table, List, Text, Practice, Lesson };
    Kind chosen() const { return list_ ? Kind::List : text_ ? Kind::Text : Kind::Table; }

    TablePhrases table_;
    std::optional<PoolPhrases> list_;
    std::unique_ptr<TextPhrases> text_;
    std::unique_ptr<PracticePhrases> practice_;
    std::vector<std::string> practiceKana_;
    std::optional<PoolPhrases> lesson_;
    int lessonStep_ = 0;
    bool practiceArmed_ = false, lessonArmed_ = false;
    Kind game_ = Kind::Table;
};

} // namespace zem

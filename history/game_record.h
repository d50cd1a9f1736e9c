#pragma once

#include "kana/spelling_judge.h"
#include "model/clock.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zem {

enum class GameMode { Word, Proverb };

// "word" or "proverb", as the history and its CSV write a mode.
const char *modeName(GameMode mode);

// A lesson step's games are kept under a list name no phrase file can have
// (a file name holds no '/'): "lesson/3" for step 3. The CSV writes them as
// the mode "lesson" with the step's number as their list.
std::string lessonList(int step);
// The step of such a list name; 0 for any other.
int lessonOfList(const std::string &list);

// A completed game of a lesson step: what its pass mark is judged on.
struct LessonGame {
    int step = 0;
    std::int32_t strokes = 0;
    std::int32_t misses = 0;
    double speed = 0;
};

// Where the totals of a game are kept: its mode for the built-in table,
// "list:" and the list's name for a player's list.
std::string sourceKey(GameMode mode, const std::string &list);

// How often one key was the next letter, and how it went.
struct KeyTally {
    char key = 0; // an upper-case letter
    std::int32_t hits = 0;
    std::int32_t misses = 0;
};

// A key typed instead of the next letter, and how often.
struct Confusion {
    char expected = 0;       // an upper-case letter
    unsigned char typed = 0; // the byte the window received
    std::int32_t count = 0;
};

// The romaji syllable around missed letters ("tu", "si", "nn") and how often.
struct SyllableMisses {
    std::string syllable;
    std::int32_t count = 0;
};

// How often the keys typed for one kana were right and missed.
struct KanaTally {
    std::string kana; // a unit of the reading: し, しょ, っ, ん
    std::int32_t hits = 0;
    std::int32_t misses = 0;
};

// One game as the history keeps it: the figures the game showed when it
// ended, and what was typed for each expected key.
struct GameRecord {
    std::string uid; // given by the writer, unique among all games; empty before
    WallTime finishedAt;
    GameMode mode = GameMode::Word;
    std::int32_t course = 100;
    std::int32_t strokes = 0;
    std::int32_t misses = 0;
    std::int32_t seconds = 0; // the elapsed time shown
    std::string speed;        // as hiscore.dat writes it; empty for a stopped game
    bool completed = false;
    bool newRecord = false;
    SpellingRule spelling = SpellingRule::Table; // the rule the game was judged by
    std::string list;      // the player's list it was played from; empty for the built-in table
    bool practice = false; // drawn from what the player misses; never a record
    std::vector<KeyTally> keys;            // by key
    std::vector<Confusion> confusions;     // by expected key, then typed byte
    std::vector<SyllableMisses> syllables; // by syllable
    std::vector<KanaTally> kana;           // by kana, in the order of their UTF-8 bytes
};

} // namespace zem

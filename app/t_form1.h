#pragma once

#include "app/mascot.h"
#include "app/player_settings.h"
#include "game/game_state.h"
#include "game/key_guide.h"
#include "game/phrase_source.h"
#include "history/game_history.h"
#include "history/game_tally.h"
#include "kana/spelling_judge.h"
#include "model/canvas.h"
#include "model/clock.h"
#include "model/random.h"
#include "model/window_model.h"
#include "records/record_book.h"
#include "records/record_file.h"

#include <cstdint>
#include <utility>

namespace zem {

// Shift keys held with a key-down; the game looks at none of them.
using ShiftState = std::uint32_t;

inline constexpr std::uint16_t kVkEscape = 27;

// The game window: its controls as a model, the game state and the handlers
// the window's events run. A handler sequences the subsystems in the order
// the game rules give; a failing step throws Failure and skips the rest.
class TForm1 {
    // First, so that the control names below can be resolved from the model.
    Clock &clock_;
    Random &random_;
    WindowModel model_;

public:
    // Every game that had a keystroke goes to `history` when it ends.
    TForm1(Clock &clock, Random &random, RecordFile &records, GameHistory &history = noHistory());

    WindowModel &model() { return model_; }
    const WindowModel &model() const { return model_; }
    GameState &state() { return state_; }
    const GameState &state() const { return state_; }
    Mascot &mascot() { return mascot_; }
    const RecordBook &records() const { return records_; }

    // Once, after every control exists and before the window is shown.
    // The painting at its end goes to `surface`, which is not on screen yet.
    void FormCreate(Canvas &surface);
    void FormCreate();
    void FormPaint(Canvas &canvas);

    void FormKeyDown(std::uint16_t &key, ShiftState shift);
    void FormKeyPress(char &key);
    void FormKeyUp(std::uint16_t &key, ShiftState shift);

    void Button1Click(); // START
    void Button2Click(); // hides the mascot
    void Button3Click(); // shows the mascot
    void ComboBox1Change();
    void RadioButton1Click();
    void RadioButton2Click();
    void Timer1Timer();

    // The run's choices: the spelling rule a START takes, the spellings the
    // player typed last. The window reads and keeps them; the game only
    // updates the spellings, and says so through takeSettingsChange().
    PlayerSettings &settings() { return settings_; }
    const PlayerSettings &settings() const { return settings_; }
    bool takeSettingsChange() { return std::exchange(settingsChanged_, false); }
    // Where the next games draw their phrases; null for the built-in table.
    // The source must outlive its use; a game in play keeps the one it began with.
    void usePhrases(const PhraseSource *source);
    const PhraseSource &phrases() const { return source_ ? *source_ : tablePhrases_; }
    // Runs START on `practice` for this one game; the source of usePhrases()
    // comes back with the next START. `practice` must outlive the game and
    // stay until another game starts or another source is chosen.
    void startPractice(const PhraseSource &practice);
    // Whether the game running now, or the last one, was a practice game.
    bool practiceGame() const { return gameSource_ && gameSource_->practice(); }
    // Whether the game running now, or the last one, drew from the built-in
    // table: only those games count for the records.
    bool tableGame() const { return !gameSource_ || gameSource_ == &tablePhrases_; }
    // The rule of the game running now, or of the last one.
    SpellingRule gameSpelling() const { return gameSpelling_; }

    bool wordMode() const { return model_.checked(RadioButton2); }
    bool proverbMode() const { return model_.checked(RadioButton1); }
    // From START until the course is typed or Escape stops it.
    bool inGame() const { return state_.ClockRunning == 1; }

    // Design names of the controls the handlers address.
    const ControlId Label1, Label2, Label3, Label4, Label5, Label7, Label8, Label9, Label10,
        Label11, Label12, Label13, Shape1, Shape2, Shape3, Shape4, Button1, ComboBox1, groupbox1,
        RadioButton1, RadioButton2, ProgressBar1, Panel32;

private:
    static GameHistory &noHistory();
    void completionCheck();
    std::string resultLine() const;
    void keepGame(bool completed);
    void refill();
    void drawPhrase();
    void noteSpellings();
    void showIdleControls();
    void setBubbleVisible(bool visible);
    void fitPhrase(bool newPhrase);
    void showDesignFonts();

    GameState state_;
    KeyGuide keyGuide_;
    Mascot mascot_;
    RecordBook records_;
    GameHistory &history_;
    GameTally tally_;
    SpellingJudge judge_;
    PlayerSettings settings_;
    bool settingsChanged_ = false;
    SpellingRule gameSpelling_ = SpellingRule::Table;
    TablePhrases tablePhrases_;
    const PhraseSource *source_ = nullptr;
    const PhraseSource *gameSource_ = nullptr; // what the game in play draws from
    const PhraseSource *nextGame_ = nullptr;   // the next START's, for that game only
    std::uint16_t shownSeconds_ = 0;           // what the time label shows of this game
    // Where the romaji line and the bubble's text must end to be seen whole.
    int romajiRight_ = 0, displayRight_ = 0;
};

} // namespace zem

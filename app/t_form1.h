#pragma once

#include "app/form_events.h"
#include "app/lesson_progress.h"
#include "app/mascot.h"
#include "app/player_settings.h"
#include "app/practice_rule.h"
#include "app/spelling_hint.h"
#include "game/game_state.h"
#include "game/key_guide.h"
#include "game/phrase_sources.h"
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
#include <functional>
#include <vector>

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
    // The window is closing, by the player or at a logout: a game in play
    // stops as Escape stops it, and is kept.
    void FormClose();

    // Who follows the game: told of each game's end, of a new source and of
    // settings to keep. A listener removes itself before it goes.
    void addListener(FormEvents &listener);
    void removeListener(FormEvents &listener);

    // The run's choices: the spelling rule a START takes, the spellings the
    // player typed last. The game updates the spellings and tells the
    // listeners once a game ends.
    PlayerSettings &settings() { return settings_; }
    const PlayerSettings &settings() const { return settings_; }

    // よみがなを表示: the phrase's reading in the bubble, the kana typed greyed
    // and the kana being typed marked; from the next START, or at once in a
    // game. Kept in settings().reading.
    void showReading(bool on);

    // Where the next games draw their phrases: a list, whatever the mode, or
    // the built-in table. Only between games; the modes are off during a list.
    void useList(PoolPhrases list);
    void useTable();
    // 文章で練習: a text, typed in order from its place, from the next START
    // on, with the modes off as for a list; its phrases come as they are
    // read (textRead), the first of them with it.
    void useText(std::unique_ptr<TextPhrases> text);
    void textRead(std::vector<TextPhrases::Placed> phrases, int leftOut);
    const PhraseSources &sources() const { return sources_; }
    // Whose games the history counts the next game among: the list in play,
    // or the table in the mode chosen.
    HistorySource historySource() const;

    // 苦手練習. The weak spots of a source arrive from the history as they
    // are read; a practice game of the source in play can start once its
    // spots show weak kana and no game runs.
    void weakSpotsRead(const HistorySource &source, WeakSpots spots);
    PracticeRule::Offer practiceOffer() const;
    // START on a practice draw of the phrases in play, for this one game,
    // when the offer allows; the next START plays the usual source again.
    void startPractice();
    // typing-zem --practice: a practice game as soon as the spots of the
    // source in play are in; where there is none to be had, that arrival
    // fails with the reason, once.
    void practiceWhenRead();
    // ステップ練習: START on a lesson step's phrases, for this one game; its
    // result line says whether the step is passed. Not over a game in play.
    void startLesson(int step, std::vector<PoolPhrase> phrases);
    // How the learner stands on each step, from the history's games of the
    // steps as they are read (at start-up and after each game); no step is
    // passed until the first read is in, nor with no history.
    void lessonGamesRead(std::span<const LessonGame> games);
    const std::vector<StepProgress> &lessonProgress() const { return lessonProgress_; }
    // Whether the game running now, or the last one, was a practice game.
    bool practiceGame() const { return sources_.practiceGame(); }
    // The rule of the game running now, or of the last one.
    SpellingRule gameSpelling() const { return gameSpelling_; }

    // The finger guide, between games: keys tinted by the finger that
    // presses them, and a line naming the finger of the next key.
    void setFingerGuide(bool on) {
        settings_.fingers = on;
        keyGuide_.showFingers(on);
    }
    const KeyGuide &keyGuide() const { return keyGuide_; }

    bool wordMode() const { return model_.checked(RadioButton2); }
    bool proverbMode() const { return model_.checked(RadioButton1); }
    // From START until the course is typed or Escape stops it.
    bool inGame() const { return state_.ClockRunning == 1; }

    // Design names of the controls the handlers address.
    const ControlId Label1, Label2, Label3, Label4, Label5, Label7, Label8, Label9, Label10,
        Label11, Label12, Label13, Shape1, Shape2, Shape3, Shape4, Button1, ComboBox1, groupbox1,
        RadioButton1, RadioButton2, ProgressBar1, Panel32, ReadingLine;

private:
    static GameHistory &noHistory();
    void modesOff();
    // START's steps.
    void resetCounters();
    void zeroCounts();
    void showGameScreen();
    void beginPhrases();
    void startClock();
    // The ends of a game.
    void completionCheck();
    void checkRecord();
    void stopGame();
    void showResult();
    void showStoppedScreen();
    std::string resultLine() const;
    void fitResult();
    void keepGame(bool completed);
    std::string gameList() const;
    void announceEnd(bool completed);
    // Phrases.
    void refill();
    void drawPhrase();
    void noteSpellings();
    void showIdleControls();
    void setBubbleVisible(bool visible);
    void layOutBubble();
    int displayTop() const;
    void fitPhrase(bool newPhrase);
    void showReadingLine(bool newPhrase);
    void showDesignFonts();
    void sourceChanged();
    void showTitle();
    void tell(const std::function<void(FormEvents &)> &call);

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
    PhraseSources sources_;
    PracticeRule practice_;
    std::vector<StepProgress> lessonProgress_ = zem::lessonProgress({});
    SpellingHint spellingHint_;
    bool practiceWanted_ = false;
    std::vector<FormEvents *> listeners_;
    std::uint16_t shownSeconds_ = 0; // what the time label shows of this game
    // Where the romaji line and the bubble's text must end to be seen whole.
    int romajiRight_ = 0, displayRight_ = 0;
    int bubbleHeight_ = 0;      // the bubble as designed
    bool readingShown_ = false; // in the game running now, or the last one
};

} // namespace zem

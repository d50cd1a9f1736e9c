#pragma once

#include "history/game_record.h"

#include <span>
#include <vector>

namespace zem {

// How a learner stands on one lesson step, from the history's games of it.
struct StepProgress {
    int step = 0;
    int games = 0;        // completed games of the step
    bool passed = false;  // some game of it met the pass mark
    int bestAccuracy = 0; // percent, rounded down; 0 with no game
    double bestSpeed = 0; // strokes a minute; 0 with no game
};

// One entry for each step of the lesson book, in its order, from every
// completed game of the steps; a step is passed when one game met both
// marks at once.
std::vector<StepProgress> lessonProgress(std::span<const LessonGame> games);

// The step to take next: the first not passed; 0 once every step is.
int nextLesson(std::span<const StepProgress> progress);

} // namespace zem

#include "app/lesson_progress.h"

#include "game/lesson_steps.h"

#include <algorithm>

namespace zem {

std::vector<StepProgress> lessonProgress(std::span<const LessonGame> games) {
    std::vector<StepProgress> progress;
    for (const LessonStep &step : lessonSteps())
        progress.push_back({.step = step.number});
    for (const LessonGame &game : games) {
        const LessonStep *step = lessonStep(game.step);
        if (!step)
            continue;
        StepProgress &p = progress[std::size_t(step - lessonSteps().data())];
        ++p.games;
        p.passed = p.passed || judgeLesson(*step, game.strokes, game.misses, game.speed).passed;
        p.bestAccuracy = std::max(p.bestAccuracy, lessonAccuracy(game.strokes, game.misses));
        p.bestSpeed = std::max(p.bestSpeed, game.speed);
    }
    return progress;
}

int nextLesson(std::span<const StepProgress> progress) {
    const auto open = std::find_if(progress.begin(), progress.end(),
                                   [](const StepProgress &p) { return !p.passed; });
    return open == progress.end() ? 0 : open->step;
}

} // namespace zem

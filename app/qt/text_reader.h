#pragma once

#include "app/player_settings.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace zem {

class FormWindow;

// 文章で練習: reads a text on a thread of its own, from where the player left
// off, and hands its phrases to the game as they come: the first few at
// once, so the first phrase shows within a moment of the choice, then the
// rest in batches while the player types. Opening another text, or another
// source taking the game's place, stops the reading.
class TextReader final : public QObject {
    Q_OBJECT

public:
    explicit TextReader(FormWindow &window);
    ~TextReader() override;

    // Reads the text at `path`; `mark` is where it was left off. A text that
    // cannot be read is refused in the game's error box, and the game keeps
    // its source.
    void open(const std::string &path, const TextBookmark &mark);

private:
    void stop();

    FormWindow &window_;
    std::thread reader_;
    std::shared_ptr<std::atomic<bool>> stopped_;
};

} // namespace zem

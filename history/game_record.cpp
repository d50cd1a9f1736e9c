#include "history/game_record.h"

namespace zem {

const char *modeName(GameMode mode) {
    return mode == GameMode::Word ? "word" : "proverb";
}

} // namespace zem

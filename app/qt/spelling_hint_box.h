#pragma once

#include "app/form_events.h"

#include <QObject>

namespace zem {

class FormWindow;
class PlayerChoices;
class TForm1;

// The question the game asks once ever, when it tells that it is due: shown
// over the window once the game's last event is done, its answer handed to
// the player's choices.
class SpellingHintBox final : public QObject, private FormEvents {
public:
    SpellingHintBox(FormWindow &window, PlayerChoices &choices);
    ~SpellingHintBox() override;

private:
    void spellingHintDue() override;
    void ask();

    FormWindow &window_;
    TForm1 &form_;
    PlayerChoices &choices_;
};

} // namespace zem

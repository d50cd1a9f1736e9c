#include "app/player_settings.h"

namespace zem {

const char *spellingRuleName(SpellingRule rule) {
    return rule == SpellingRule::Any ? "any" : "table";
}

std::optional<SpellingRule> spellingRuleNamed(std::string_view name) {
    if (name == "table")
        return SpellingRule::Table;
    if (name == "any")
        return SpellingRule::Any;
    return std::nullopt;
}

} // namespace zem

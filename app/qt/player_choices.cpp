#include "app/qt/player_choices.h"

#include "app/qt/settings_file.h"
#include "app/t_form1.h"
#include "lists/phrase_file.h"

#include <filesystem>

namespace zem {

namespace {

std::unique_ptr<PoolPhrases> poolOf(const PhraseList &list) {
    std::vector<PoolPhrase> phrases;
    phrases.reserve(list.phrases.size());
    for (const ListPhrase &p : list.phrases)
        phrases.push_back({p.display, p.kana, p.romaji});
    return std::make_unique<PoolPhrases>(std::move(phrases), list.name);
}

} // namespace

PlayerChoices::PlayerChoices(TForm1 &form, QString settingsPath, std::string shippedLists)
    : form_(form), path_(std::move(settingsPath)), shippedLists_(std::move(shippedLists)) {}

std::string PlayerChoices::start(const std::string &spelling, const std::string &phrasesFile) {
    form_.settings() = readSettings(path_);
    fileSpelling_ = form_.settings().spelling;
    if (auto rule = spellingRuleNamed(spelling))
        form_.settings().spelling = *rule;
    if (!phrasesFile.empty())
        return openList(phrasesFile, false);
    const std::string remembered = form_.settings().lastList;
    if (remembered.empty())
        return {};
    std::string refusal = openList(remembered, false);
    if (refusal.empty())
        return {};
    form_.settings().lastList.clear();
    write();
    return refusal + "\n組み込みの問題で始めます";
}

std::string PlayerChoices::openList(const std::string &path, bool remember) {
    ListResult result = readPhraseFile(path);
    if (!result.list)
        return result.message;
    auto pool = poolOf(*result.list);
    form_.usePhrases(pool.get());
    list_ = std::move(pool);
    listName_ = result.list->name;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    listPath_ = error ? path : absolute.lexically_normal().string();
    if (remember) {
        form_.settings().lastList = listPath_;
        write();
    }
    return {};
}

void PlayerChoices::useTable() {
    form_.usePhrases(nullptr);
    list_.reset();
    listName_.clear();
    listPath_.clear();
    form_.settings().lastList.clear();
    write();
}

std::string PlayerChoices::listFolder() const {
    const std::string &last = listPath_.empty() ? form_.settings().lastList : listPath_;
    if (!last.empty()) {
        const std::filesystem::path folder = std::filesystem::path(last).parent_path();
        std::error_code error;
        if (std::filesystem::is_directory(folder, error))
            return folder.string();
    }
    return shippedLists_;
}

bool PlayerChoices::anySpelling() const {
    return form_.settings().spelling == SpellingRule::Any;
}

void PlayerChoices::setAnySpelling(bool any) {
    form_.settings().spelling = any ? SpellingRule::Any : SpellingRule::Table;
    fileSpelling_ = form_.settings().spelling;
    write();
}

void PlayerChoices::keepSpellings() {
    if (!form_.inGame() && form_.takeSettingsChange())
        write();
}

// A file that cannot be written costs the player nothing now: the choices
// hold for this run, and the next write tries again.
void PlayerChoices::write() {
    PlayerSettings kept = form_.settings();
    kept.spelling = fileSpelling_;
    writeSettings(path_, kept);
}

} // namespace zem

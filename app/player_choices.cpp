#include "app/player_choices.h"

#include "app/t_form1.h"
#include "game/lesson_steps.h"
#include "lists/phrase_file.h"

#include <filesystem>

namespace zem {

namespace {

PoolPhrases poolOf(const PhraseList &list) {
    std::vector<PoolPhrase> phrases;
    phrases.reserve(list.phrases.size());
    for (const ListPhrase &p : list.phrases)
        phrases.push_back({p.display, p.kana, p.romaji});
    return PoolPhrases(std::move(phrases), list.name);
}

} // namespace

PlayerChoices::PlayerChoices(TForm1 &form, SettingsStore &store, std::string shippedLists,
                             std::string lessons, std::string texts)
    : form_(form), store_(store), shippedLists_(std::move(shippedLists)),
      lessons_(std::move(lessons)), texts_(std::move(texts)) {
    form_.addListener(*this);
}

PlayerChoices::~PlayerChoices() {
    form_.removeListener(*this);
}

PlayerChoices::Told PlayerChoices::start(const std::string &spelling,
                                         const std::string &phrasesFile) {
    kept_ = store_.read();
    form_.settings() = kept_;
    form_.setFingerGuide(kept_.fingers);
    if (auto rule = spellingRuleNamed(spelling)) {
        oneRunRule_ = true;
        form_.settings().spelling = *rule;
    }
    if (!phrasesFile.empty())
        return {openList(phrasesFile, false), false};
    const std::string remembered = kept_.lastList;
    if (remembered.empty())
        return {};
    std::string refusal = openList(remembered, false);
    if (refusal.empty())
        return {};
    form_.settings().lastList.clear();
    kept_.lastList.clear();
    write();
    return {refusal + "\n組み込みの問題で始めます", true};
}

std::string PlayerChoices::openList(const std::string &path, bool remember) {
    ListResult result = readPhraseFile(path);
    if (!result.list)
        return result.message;
    form_.useList(poolOf(*result.list));
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    listPath_ = error ? path : absolute.lexically_normal().string();
    if (remember) {
        form_.settings().lastList = kept_.lastList = listPath_;
        write();
    }
    return {};
}

void PlayerChoices::useTable() {
    form_.useTable();
    listPath_.clear();
    form_.settings().lastList.clear();
    kept_.lastList.clear();
    write();
}

std::string PlayerChoices::listFolder() const {
    const std::string &last = listPath_.empty() ? kept_.lastList : listPath_;
    if (!last.empty()) {
        const std::filesystem::path folder = std::filesystem::path(last).parent_path();
        std::error_code error;
        if (std::filesystem::is_directory(folder, error))
            return folder.string();
    }
    return shippedLists_;
}

std::string PlayerChoices::startLesson(int step) {
    const LessonStep *lesson = lessonStep(step);
    if (!lesson)
        return "ステップ" + std::to_string(step) + "はありません（1から" +
               std::to_string(lessonSteps().size()) + "まで）";
    ListResult result = readPhraseFile((std::filesystem::path(lessons_) / lesson->file).string());
    if (!result.list)
        return result.message;
    form_.startLesson(step, poolOf(*result.list).phrases());
    return {};
}

std::string PlayerChoices::textFolder() const {
    if (!kept_.bookmarks.empty()) {
        const std::filesystem::path folder =
            std::filesystem::path(kept_.bookmarks.front().path).parent_path();
        std::error_code error;
        if (std::filesystem::is_directory(folder, error))
            return folder.string();
    }
    return texts_;
}

TextBookmark PlayerChoices::bookmarkOf(const std::string &path) const {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string whole = error ? path : absolute.lexically_normal().string();
    for (const TextBookmark &mark : kept_.bookmarks)
        if (mark.path == whole)
            return mark;
    return {whole, 0, 0, 0};
}

// The text's place, first among the kept ones, the oldest let go past the
// limit.
void PlayerChoices::gameEnded(const HistorySource &, bool) {
    const TextPhrases *text = form_.sources().text();
    if (!text || !form_.sources().textGame())
        return;
    std::vector<TextBookmark> &marks = kept_.bookmarks;
    std::erase_if(marks, [&](const TextBookmark &m) { return m.path == text->path(); });
    const TextPhrases::Place place = text->bookmark();
    marks.insert(marks.begin(), {text->path(), text->contentHash(), place.sentence, place.part});
    if (marks.size() > kMaxBookmarks)
        marks.resize(kMaxBookmarks);
    write();
}

bool PlayerChoices::anySpelling() const {
    return form_.settings().spelling == SpellingRule::Any;
}

void PlayerChoices::setAnySpelling(bool any) {
    form_.settings().spelling = kept_.spelling = any ? SpellingRule::Any : SpellingRule::Table;
    oneRunRule_ = false;
    write();
}

bool PlayerChoices::showsReading() const {
    return form_.settings().reading;
}

void PlayerChoices::setShowReading(bool on) {
    form_.showReading(on);
    kept_.reading = on;
    write();
}

void PlayerChoices::answerSpellingHint(bool any) {
    form_.settings().spellingAsked = kept_.spellingAsked = true;
    if (any)
        setAnySpelling(true);
    else
        write();
}

bool PlayerChoices::fingerGuide() const {
    return form_.settings().fingers;
}

void PlayerChoices::setFingerGuide(bool on) {
    form_.setFingerGuide(on);
    kept_.fingers = on;
    write();
}

// The spellings typed under a rule of this run only are not the player's
// choice to keep.
void PlayerChoices::settingsChanged(const PlayerSettings &settings) {
    if (oneRunRule_)
        return;
    kept_.lastSpellings = settings.lastSpellings;
    write();
}

void PlayerChoices::write() {
    store_.write(kept_);
}

} // namespace zem

#include "records/record_book.h"

#include "model/code_page_932.h"
#include "model/failure.h"
#include "model/speed_text.h"
#include "records/number.h"

namespace zem {

namespace {
constexpr const char *kFileName = "hiscore.dat";
constexpr const char *kPerMinute = "打/分";
constexpr int kProverbLines = 20;
constexpr int kRecordLines = 2 * kProverbLines;

// The record file locked for as long as it lives.
class FileHold {
public:
    explicit FileHold(RecordFile &file) : file_(file) { file_.lock(); }
    ~FileHold() { file_.unlock(); }
    FileHold(const FileHold &) = delete;
    FileHold &operator=(const FileHold &) = delete;

private:
    RecordFile &file_;
};

} // namespace

RecordBook::RecordBook(WindowModel &model, RecordFile &file)
    : model_(model), file_(file), wordLabel_(model.id("Label12")),
      proverbLabel_(model.id("Label13")) {}

void RecordBook::load() {
    std::optional<std::string> bytes = file_.read();
    if (!bytes) {
        store_.clear();
        throw Failure(std::string("ファイル ") + kFileName + " は開けません");
    }
    store_.load(*bytes);
    display(0);
}

void RecordBook::display(int i) {
    model_.setText(wordLabel_, showCodePage932(store_.get(i)) + kPerMinute);
    model_.setText(proverbLabel_, showCodePage932(store_.get(kProverbLines + i)) + kPerMinute);
}

// A file that cannot be read now leaves the bests as they are.
bool RecordBook::takeSavedBests() {
    const std::optional<std::string> bytes = file_.read();
    if (!bytes)
        return false;
    RecordStore saved;
    saved.load(*bytes);
    return store_.takeHigher(saved, kRecordLines);
}

double RecordBook::number(int line) const {
    const std::string text = store_.get(line);
    if (auto value = parseNumber(text))
        return *value;
    throw Failure("'" + showCodePage932(text) + "' は浮動小数点数ではありません");
}

void RecordBook::save() {
    if (!file_.write(store_.wholeText()))
        throw Failure(std::string("ファイル ") + kFileName + " を作成できません");
}

RecordCheck RecordBook::check(int i, RecordMode mode, double speed) {
    const FileHold hold(file_);
    if (takeSavedBests())
        display(i);
    RecordCheck result;
    try {
        checkLine(i, mode == RecordMode::Word, speed, wordLabel_, result);
        checkLine(kProverbLines + i, mode == RecordMode::Proverb, speed, proverbLabel_, result);
    } catch (const Failure &failure) {
        result.failure = failure;
    }
    return result;
}

// Every line of the course is read, so that a line that is no number fails
// the check in either mode.
void RecordBook::checkLine(int line, bool played, double speed, ControlId label,
                           RecordCheck &result) {
    // The stored best is compared as written, rounded to 4 digits, so a
    // speed just above a rounded best is a record that writes the same text.
    if (number(line) < speed && played) {
        result.record = true;
        model_.setText(label, SpeedText(speed) + kPerMinute);
        store_.put(line, SpeedText(speed));
        save();
    }
}

} // namespace zem

#include "lists/phrase_list.h"

#include "lists/list_message.h"
#include "lists/phrase_line.h"
#include "lists/text_encoding.h"

#include <utility>

namespace zem {

namespace {

// The next line of `text` from `at`, without its end: CR LF, LF or a lone CR
// (an old Mac editor's) each end one line.
std::string_view nextLine(std::string_view text, std::size_t &at) {
    const std::size_t end = text.find_first_of("\r\n", at);
    const std::string_view line = text.substr(at, end == std::string_view::npos ? end : end - at);
    if (end == std::string_view::npos)
        at = text.size();
    else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
        at = end + 2;
    else
        at = end + 1;
    return line;
}

ListResult refusal(const std::string &name, std::vector<ListProblem> problems, int more) {
    ListResult result;
    result.message = listMessage(name, problems, more);
    result.problems = std::move(problems);
    result.moreProblems = more;
    return result;
}

} // namespace

ListResult refusedList(const std::string &name, std::string why) {
    return refusal(name, {{0, std::move(why)}}, 0);
}

ListResult parsePhraseList(std::string_view bytes, std::string name) {
    if (bytes.size() > kMaxListBytes)
        return refusedList(name, "ファイルが大きすぎます (最大 1 MB)");
    const std::optional<std::string> text = decodeText(bytes);
    if (!text)
        return refusedList(name,
                           "テキストファイルではありません (UTF-8 か Shift_JIS で保存します)");
    PhraseList list{std::move(name), {}};
    std::vector<ListProblem> problems;
    int more = 0;
    int number = 0;
    for (std::size_t at = 0; at < text->size();) {
        ++number;
        PhraseLine line = readPhraseLine(nextLine(*text, at));
        if (line.kind == PhraseLine::Kind::Phrase)
            list.phrases.push_back(std::move(line.phrase));
        else if (line.kind == PhraseLine::Kind::Refused && problems.size() < kListedProblems)
            problems.push_back({number, std::move(line.why)});
        else if (line.kind == PhraseLine::Kind::Refused)
            ++more;
    }
    // How many phrases is the file's fault, not a line's: said alone.
    if (list.phrases.size() + problems.size() + std::size_t(more) > std::size_t(kMaxListPhrases))
        return refusedList(list.name, "問題が多すぎます (最大 10,000 行)");
    if (!problems.empty())
        return refusal(list.name, std::move(problems), more);
    if (list.phrases.empty())
        return refusedList(list.name, "問題がひとつもありません");
    ListResult result;
    result.list = std::move(list);
    return result;
}

} // namespace zem

#include "lists/list_message.h"

namespace zem {

std::string listMessage(const std::string &name, const std::vector<ListProblem> &problems,
                        int moreProblems) {
    std::string message = "問題ファイル「" + name + "」は使えません。";
    for (const ListProblem &problem : problems) {
        message += '\n';
        if (problem.line > 0)
            message += std::to_string(problem.line) + "行目: ";
        message += problem.why;
    }
    if (moreProblems > 0)
        message += "\nほか " + std::to_string(moreProblems) + " 行";
    return message;
}

std::string fileFault(RegularFile::Fault fault, std::size_t limit) {
    switch (fault) {
    case RegularFile::Fault::CannotOpen:
        return "ファイルを開けません";
    case RegularFile::Fault::NotRegular:
        return "ふつうのファイルではありません";
    case RegularFile::Fault::TooLarge:
        return "ファイルが大きすぎます (最大 " + std::to_string(limit / (1024 * 1024)) + " MB)";
    case RegularFile::Fault::CannotRead:
        return "ファイルを読めません";
    case RegularFile::Fault::None:
        break;
    }
    return {};
}

} // namespace zem

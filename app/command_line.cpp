#include "app/command_line.h"

#include <string_view>

namespace zem {

namespace {

// "--name=value" or "--name value": the value, taking the next argument for
// the second form; false when the option is not `name` at all.
bool optionValue(const std::vector<std::string> &args, std::size_t &i, std::string_view name,
                 std::string &value, std::string &error) {
    const std::string_view arg = args[i];
    if (arg == name) {
        if (i + 1 == args.size()) {
            error = std::string(name) + " needs a value";
            return true;
        }
        value = args[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        value = std::string(arg.substr(name.size() + 1));
        return true;
    }
    return false;
}

void setJob(CommandLine &line, CommandLine::Job job, std::string_view arg) {
    if (line.job != CommandLine::Job::Game && line.job != job)
        line.error = std::string(arg) + " cannot go with another window or export";
    line.job = job;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string> &args) {
    CommandLine line;
    for (std::size_t i = 0; i < args.size() && line.error.empty(); ++i) {
        const std::string &arg = args[i];
        std::string value;
        if (arg == "--history") {
            setJob(line, CommandLine::Job::History, arg);
        } else if (arg == "--history-csv") {
            setJob(line, CommandLine::Job::HistoryCsv, arg);
        } else if (arg == "--help" || arg == "-h") {
            line.job = CommandLine::Job::Help;
        } else if (arg == "--practice") {
            line.practice = true;
        } else if (optionValue(args, i, "--spelling", value, line.error)) {
            if (line.error.empty() && value != "table" && value != "any")
                line.error = "--spelling takes table or any, not \"" + value + "\"";
            line.spelling = value;
        } else if (optionValue(args, i, "--lesson", value, line.error)) {
            const bool digits = !value.empty() && value.size() <= 2 &&
                                value.find_first_not_of("0123456789") == std::string::npos;
            if (line.error.empty() && (!digits || std::stoi(value) == 0))
                line.error = "--lesson takes a step's number, not \"" + value + "\"";
            else if (line.error.empty())
                line.lesson = std::stoi(value);
        } else if (optionValue(args, i, "--phrases", value, line.error)) {
            if (line.error.empty() && value.empty())
                line.error = "--phrases needs a file";
            line.phrasesFile = value;
        } else if (optionValue(args, i, "--text", value, line.error)) {
            if (line.error.empty() && value.empty())
                line.error = "--text needs a file";
            line.textFile = value;
        } else {
            line.error = "unknown option \"" + arg + "\"";
        }
    }
    return line;
}

const char *usageText() {
    return "usage: typing-zem [--spelling=table|any] [--phrases FILE | --text FILE]\n"
           "                  [--practice | --lesson N]\n"
           "       typing-zem --history\n"
           "       typing-zem --history-csv > games.csv\n";
}

} // namespace zem

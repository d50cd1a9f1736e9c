#pragma once

#include <string>
#include <vector>

namespace zem {

// What the program was asked to do. Options the program does not know are
// refused, so that a mistyped one never starts a game as if it were not there.
struct CommandLine {
    enum class Job { Game, History, HistoryCsv, Help };
    Job job = Job::Game;
    std::string spelling;    // "table" or "any" for this run; empty: as the settings say
    std::string phrasesFile; // a phrase list for this run; empty: as the settings say
    std::string textFile;    // a text to type for this run; empty: none
    bool practice = false;   // a game drawn from what the history says is missed
    int lesson = 0;          // a game of this lesson step at once; 0: none
    std::string error;       // why the arguments were refused; empty when they were not
};

// Reads the arguments after the program's name.
CommandLine parseCommandLine(const std::vector<std::string> &args);

// The options, for --help and after a refusal.
const char *usageText();

} // namespace zem

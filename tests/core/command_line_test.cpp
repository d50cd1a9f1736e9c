#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

using Job = CommandLine::Job;

struct Case {
    std::vector<std::string> args;
    Job job;
    std::string spelling, phrases;
    bool practice;
    bool refused;
};

TEST(CommandLine, ReadsEachOptionAndRefusesWhatItDoesNotKnow) {
    const Case cases[] = {
        {{}, Job::Game, "", "", false, false},
        {{"--history"}, Job::History, "", "", false, false},
        {{"--history-csv"}, Job::HistoryCsv, "", "", false, false},
        {{"--spelling=any"}, Job::Game, "any", "", false, false},
        {{"--spelling", "table", "--practice"}, Job::Game, "table", "", true, false},
        {{"--phrases", "都道府県.txt"}, Job::Game, "", "都道府県.txt", false, false},
        {{"--phrases=a=b.txt"}, Job::Game, "", "a=b.txt", false, false},
        {{"--help"}, Job::Help, "", "", false, false},
        // Refused: a wrong value, a missing one, an unknown option, two jobs.
        {{"--spelling=hepburn"}, Job::Game, "hepburn", "", false, true},
        {{"--spelling"}, Job::Game, "", "", false, true},
        {{"--phrases="}, Job::Game, "", "", false, true},
        {{"--spellings=any"}, Job::Game, "", "", false, true},
        {{"history"}, Job::Game, "", "", false, true},
        {{"--history", "--history-csv"}, Job::HistoryCsv, "", "", false, true},
    };
    for (const Case &c : cases) {
        const CommandLine line = parseCommandLine(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(!line.error.empty(), c.refused) << what << ": " << line.error;
        if (c.refused)
            continue;
        EXPECT_EQ(line.job, c.job) << what;
        EXPECT_EQ(line.spelling, c.spelling) << what;
        EXPECT_EQ(line.phrasesFile, c.phrases) << what;
        EXPECT_EQ(line.practice, c.practice) << what;
    }
}

} // namespace
} // namespace zem::test

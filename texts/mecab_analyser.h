#pragma once

#include "texts/reading_analyser.h"

#include <memory>
#include <string>

namespace zem {

// Where Debian's mecab-ipadic-utf8 puts the IPA dictionary in UTF-8.
inline constexpr const char *kIpadicUtf8Folder = "/var/lib/mecab/dic/ipadic-utf8";

// MeCab with the IPA dictionary in UTF-8, loaded on the first call (libmecab
// is opened with dlopen, so that a game that reads no text never loads it).
// Null when it cannot be had; then `why` says so in a sentence for the
// player, naming the package to install. One analyser is for one thread at a
// time; several may be open at once.
std::unique_ptr<ReadingAnalyser> openMecab(std::string &why,
                                           const std::string &dictionary = kIpadicUtf8Folder);

} // namespace zem

#pragma once

#include "lists/phrase_list.h"

#include <string>

namespace zem {

// The list's name for a path: the file's base name without its extension
// ("/a/都道府県.txt" -> "都道府県"; a name that starts with its only dot keeps it).
std::string listName(const std::string &path);

// Reads and parses the phrase file at `path`. A file over kMaxListBytes is
// refused from its size alone, unread; so is anything that is not a regular
// file, and a FIFO cannot hang the open.
ListResult readPhraseFile(const std::string &path);

} // namespace zem

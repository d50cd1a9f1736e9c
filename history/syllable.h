#pragma once

#include <string>
#include <string_view>

namespace zem {

// The syllable of a phrase's romaji (upper-case, as the phrase table writes
// it) that holds the letter at `position`, in lower case: a run of
// consonants with the vowel after it ("kyu", "tsu"), a vowel alone, "nn" for
// ん, and a doubled consonant with the syllable it doubles ("ppa"). Empty
// when `position` is past the end.
std::string syllableAt(std::string_view romaji, std::size_t position);

} // namespace zem

#pragma once

#include <string>

namespace orbitdeck {

// The ICU "Han-Latin" reading of one Han character, with tone marks (for example "yīn").
// The transliterator is made on first use only, once per process, and results are cached per
// character; safe to call from any thread. Answers an empty text when ICU cannot read it.
std::string transliterateHanCharacter(char32_t codePoint);

// Makes the transliterator now (it compiles its rules, tens of milliseconds), so a caller on a
// background thread can take that cost off the first transliteration.
void prepareHanTransliterator();

} // namespace orbitdeck

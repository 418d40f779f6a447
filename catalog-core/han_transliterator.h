#pragma once

#include <string>

namespace orbitdeck {

// The ICU "Han-Latin" reading of one Han character, with tone marks (for example "yīn").
// The common blocks come from a table made from ICU at build time; for the rest the
// transliterator is made on first use only, once per process, and results are cached per
// character; safe to call from any thread. Answers an empty text when ICU cannot read it.
std::string transliterateHanCharacter(char32_t codePoint);

} // namespace orbitdeck

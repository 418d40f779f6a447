#pragma once

#include "catalog-core/word_table.h"

#include <string>
#include <string_view>

namespace orbitdeck {

// Traditional characters, and the few words whose simplified form differs from their
// characters' (乾坤 keeps 乾), with their simplified form: OpenCC's t2s data, made at build
// time by make_traditional_table. Words and values have the same number of characters.
extern const WordTable traditionalToSimplified;

// The text with its traditional Chinese written in simplified characters, as OpenCC's t2s
// converts it (longest word first); simplified text and other scripts stay as they are.
std::string simplifiedChinese(std::string_view text);

} // namespace orbitdeck

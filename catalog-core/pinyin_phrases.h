#pragma once

#include "catalog-core/word_table.h"

namespace orbitdeck {

// Words whose pinyin differs from reading their characters one by one, made at build time by
// make_pinyin_phrases from a phrase dictionary and our corrections (pinyin_corrections.txt).
// Values are toneless syllables separated by spaces, ü written u. An entry of one character
// replaces the per-character reading of that character.
extern const WordTable pinyinPhrases;

} // namespace orbitdeck

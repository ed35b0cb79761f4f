#pragma once
// The word list compiled from data/lexicon.tsv at build time.
#include <span>
#include <string_view>

namespace quillbox::core {

struct LexiconEntry {
    std::string_view word;
    std::string_view definition;
};

// All entries in the file's order: two-letter words alphabetically, then
// three-letter words alphabetically.
std::span<const LexiconEntry> lexiconData();

}  // namespace quillbox::core

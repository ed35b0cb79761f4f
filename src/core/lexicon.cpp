#include "core/lexicon.h"

namespace quillbox::core {

void Lexicon::Add(std::string word, std::string definition) {
    auto [it, inserted] = items_.try_emplace(word);
    if (!inserted)
        throw DuplicateWordError(word);
    it->second = std::move(definition);
    keys_.push_back(std::move(word));
}

bool Lexicon::Exists(std::string_view word) const {
    return items_.find(word) != items_.end();
}

const std::string& Lexicon::Item(std::string_view word) const {
    auto it = items_.find(word);
    if (it == items_.end())
        throw std::out_of_range("no such word: " + std::string(word));
    return it->second;
}

}  // namespace quillbox::core

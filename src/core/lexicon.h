#pragma once
// The keyed word table: upper-case word -> definition, remembering insertion order.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillbox::core {

class DuplicateWordError : public std::runtime_error {
  public:
    explicit DuplicateWordError(const std::string& word)
        : std::runtime_error("the word " + word + " is already in the lexicon") {}
};

class Lexicon {
  public:
    // Throws DuplicateWordError for a word already present.
    void Add(std::string word, std::string definition);

    // Exact, case-sensitive match: "aa" is not "AA".
    bool Exists(std::string_view word) const;
    // The definition of a word that exists; callers test Exists first.
    const std::string& Item(std::string_view word) const;
    std::size_t Count() const { return keys_.size(); }
    // Words in insertion order; indexing it copies nothing.
    const std::vector<std::string>& Keys() const { return keys_; }

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, std::string, Hash, std::equal_to<>> items_;
    std::vector<std::string> keys_;
};

}  // namespace quillbox::core

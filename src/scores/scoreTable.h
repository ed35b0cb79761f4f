#pragma once
// What the end of a Classic game needs from the high-score table.
#include <cstdint>
#include <string>

namespace quillbox::scores {

class ScoreTable {
  public:
    virtual ~ScoreTable() = default;
    // True when the score beats at least one stored score.
    virtual bool isHigh(std::int32_t points) = 0;
    // Stores the name with the score in the table's own order.
    virtual void addScore(const std::string& name, std::int32_t points) = 0;
};

}  // namespace quillbox::scores

#pragma once
// What assistive technology finds in the high-score window, which paints its
// table and has no controls: a table named "High scores" of three columns
// (Position, Name, Score, the printed heading) and one row per printed entry,
// each cell holding the printed text without its padding and lying where it
// is painted. Nothing in it can be selected or changed.

namespace quillbox::scores {

// Lets Qt's accessibility describe every frmHighScores this way. Safe to call
// more than once.
void installHighScoresAccessibility();

}  // namespace quillbox::scores

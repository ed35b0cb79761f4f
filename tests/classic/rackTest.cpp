#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "classicTestSupport.h"

namespace {

using quillbox::classic::DragState;
using quillbox::classic::kInsertMarkers;
using quillbox::classic::kRackSlots;
using quillbox::classic::Rack;
using quillbox::testing::layoutOf;
using quillbox::testing::rackOf;
namespace colors = quillbox::classic::colors;

const std::string kNoMarker(kInsertMarkers, '-');

std::string markersOf(const Rack& rack) {
    std::string out;
    for (int k = 0; k < kInsertMarkers; ++k)
        out += rack.markerVisible(k) ? '^' : '-';
    return out;
}

std::string onlyMarker(int k) {
    std::string out = kNoMarker;
    out[static_cast<std::size_t>(k)] = '^';
    return out;
}

bool anyBorder(const Rack& rack) {
    for (int i = 0; i < kRackSlots; ++i)
        if (rack.hasBorder(i))
            return true;
    return false;
}

// As x for drag: the drop goes into the gap `target` instead of onto a slot.
constexpr double kGap = -1;

// A whole drag of the tile in slot source, ending on slot target at x twips.
void drag(Rack& rack, int source, int target, double x) {
    rack.dragOverSlot(source, DragState::Enter, 200);
    rack.dragOverSlot(source, DragState::Leave, 200);
    if (x == kGap) {
        rack.dragOverGap(target, DragState::Enter);
        rack.dragOverGap(target, DragState::Over);
        rack.dropOnGap(target, source);
    } else {
        rack.dragOverSlot(target, DragState::Enter, x);
        rack.dragOverSlot(target, DragState::Over, x);
        rack.dropOnSlot(target, source);
    }
}

TEST(RackSelection, ClickingTogglesATileBetweenBlackAndWhiteButNotAnEmptySlot) {
    Rack rack = rackOf("CAT.......");
    EXPECT_TRUE(rack.toggleSelection(0));
    EXPECT_EQ(rack.slot(0).color, colors::white);
    EXPECT_EQ(rack.selectedCount(), 1);
    EXPECT_TRUE(rack.toggleSelection(0));
    EXPECT_EQ(rack.slot(0).color, colors::black);
    EXPECT_FALSE(rack.toggleSelection(5));
    EXPECT_EQ(rack.selectedCount(), 0);
    EXPECT_FALSE(rack.slot(5).occupied);
}

TEST(RackSelection, SelectedWordAndTileStringReadTheSlotsInOrder) {
    Rack rack = rackOf(".Q..x..I.N");
    for (int s : {9, 4, 1})
        rack.toggleSelection(s);
    EXPECT_EQ(rack.selectedWord(), "QXN");  // a blank gives the letter it stands for
    EXPECT_EQ(rack.selectedCount(), 3);
    EXPECT_EQ(rack.tileString(), "Q_IN");  // but the search sees a blank
}

TEST(RackSelection, TakingTheWordEmptiesItsSlotsAndNotesWhereTheBlanksWere) {
    using Case = std::tuple<std::string, std::vector<int>, std::string, int, int, std::string>;
    for (const auto& [before, selected, word, blank1, blank2, after] : std::vector<Case>{
             {".ACDB..e..", {4, 1}, "AB", -1, -1, "..CD...e.."},
             {"TeN.......", {2, 1, 0}, "TEN", 1, -1, ".........."},
             {"..a.x.....", {4, 2}, "AX", 0, 1, ".........."},
         }) {
        Rack rack = rackOf(before);
        for (int s : selected)
            rack.toggleSelection(s);
        const auto taken = rack.takeSelectedWord();
        EXPECT_EQ(taken.word, word);
        EXPECT_EQ(std::pair(taken.blankIndex1, taken.blankIndex2), std::pair(blank1, blank2));
        EXPECT_EQ(layoutOf(rack), after);
        for (int s : selected) {  // an emptied slot is neither blank nor white
            EXPECT_FALSE(rack.slot(s).blank) << word << s;
            EXPECT_EQ(rack.slot(s).color, colors::black) << word << s;
        }
    }
}

TEST(RackDragFeedback, TheSlotUnderThePointerIsBorderedAndMarkedOnTheHalfItIsOver) {
    Rack rack = rackOf("ABC.......");
    rack.dragOverSlot(1, DragState::Enter, 100);
    EXPECT_TRUE(rack.hasBorder(1));
    EXPECT_EQ(markersOf(rack), onlyMarker(1));
    // Exactly half the width counts as the right half, whatever the width.
    using Point = std::tuple<double, double, int>;
    for (const auto& [x, width, marker] : std::vector<Point>{{400, 495, 2},
                                                             {247.4, 495, 1},
                                                             {247.5, 495, 2},
                                                             {0, 495, 1},
                                                             {300, 600, 2},
                                                             {299, 600, 1}}) {
        rack.dragOverSlot(1, DragState::Over, x, width);
        EXPECT_EQ(markersOf(rack), onlyMarker(marker)) << x << " of " << width;
    }
    rack.dragOverSlot(1, DragState::Leave, 400);
    EXPECT_FALSE(anyBorder(rack));
    EXPECT_EQ(markersOf(rack), kNoMarker);
    // Empty slots react the same way; the last slot's right half points past it.
    rack.dragOverSlot(9, DragState::Enter, 494);
    EXPECT_TRUE(rack.hasBorder(9));
    EXPECT_EQ(markersOf(rack), onlyMarker(10));
}

TEST(RackDragFeedback, AGapShowsAndHidesOnlyItsOwnMarker) {
    Rack rack = rackOf("ABC.......");
    rack.dragOverGap(4, DragState::Enter);
    rack.dragOverGap(7, DragState::Over);
    EXPECT_EQ(markersOf(rack), "----^--^---");
    rack.dragOverGap(4, DragState::Leave);
    EXPECT_EQ(markersOf(rack), onlyMarker(7));
    rack.hideInsertMarkers();
    EXPECT_EQ(markersOf(rack), kNoMarker);
}

TEST(RackDrop, MovesTheTileShiftingOthersTowardsTheNearestHoleOnTheRightElseTheLeft) {
    using Case = std::tuple<std::string, int, int, double, std::string>;
    for (const auto& [before, source, target, x, after] : std::vector<Case>{
             {"ABC.......", 1, 1, 400, "ABC......."},   // onto its own slot
             {"ABC.......", 0, 7, 100, ".BC....A.."},   // onto an empty slot
             {"ABC.......", 0, 1, 100, ".ABC......"},   // the left half of a tile: before it
             {"ABC.......", 0, 1, 300, ".BAC......"},   // the right half: after it
             {"...DEFGHIJ", 9, 3, kGap, "...JDEFGHI"},  // the freed slot takes the shift
             {"A....FGHIJ", 0, 10, kGap, "....FGHIJA"},
             {"X.ABCD..E.", 8, 3, kGap,
              "X.AEBCD..."},  // the right side even when the left is closer
             {"ABC.D.E.F.", 8, 1, kGap, "AFBCD.E..."},  // tiles beyond the hole stay
             {"X.Y..FGHIJ", 0, 10, kGap, "..Y.FGHIJX"},
             {"Z...EFGHIJ", 0, 8, 400, "...EFGHIZJ"},  // nothing empty right of slot 9
             {"AB........", 5, 1, 100, "AB........"},  // nothing was being dragged
             {"AB........", 6, 0, kGap, "AB........"},
         }) {
        Rack rack = rackOf(before);
        drag(rack, source, target, x);
        EXPECT_EQ(layoutOf(rack), after) << before << " " << source << "->" << target;
        EXPECT_EQ(markersOf(rack), kNoMarker) << before;
        EXPECT_FALSE(anyBorder(rack)) << before;
    }
}

TEST(RackDrop, AMovedTileKeepsItsSelectionAndBlank) {
    Rack rack = rackOf("AxC.......");
    rack.toggleSelection(0);
    rack.toggleSelection(1);
    drag(rack, 0, 2, 300);  // A goes after C
    EXPECT_EQ(layoutOf(rack), ".xCA......");
    EXPECT_EQ(rack.selectedWord(), "XA");
    EXPECT_EQ(rack.slot(0).color, colors::black);  // the slot it left
}

TEST(InsertTileAtMarker, GoesAtTheFirstVisibleMarkerOrAfterSlotNine) {
    using Case = std::tuple<std::string, std::vector<int>, std::string>;
    for (const auto& [before, markers, after] : std::vector<Case>{
             {"ABCD......", {2, 1}, "AzBCD....."},
             {"AB......YZ", {}, "AB.....YZz"},
             {"AB......YZ", {10}, "AB.....YZz"},
             {"AB.D......", {2}, "ABzD......"},  // an empty slot at the marker: nothing moves
         }) {
        Rack rack = rackOf(before);
        for (int k : markers)
            rack.dragOverGap(k, DragState::Enter);
        rack.insertTileAtMarker('Z', colors::white, true);
        EXPECT_EQ(layoutOf(rack), after) << before;
        EXPECT_EQ(rack.selectedWord(), "Z");
    }
    Rack full = rackOf("ABCDEFGHIJ");
    EXPECT_THROW(full.insertTileAtMarker('Q', colors::black, false), std::logic_error);
}

TEST(RackClear, EmptiesEverySlotMarkerAndBorder) {
    Rack rack = rackOf("AxC..F....");
    rack.toggleSelection(0);
    rack.dragOverSlot(5, DragState::Enter, 10);
    rack.clear();
    EXPECT_EQ(layoutOf(rack), "..........");
    EXPECT_FALSE(anyBorder(rack));
    EXPECT_EQ(markersOf(rack), kNoMarker);
    for (int i = 0; i < kRackSlots; ++i) {
        EXPECT_FALSE(rack.slot(i).blank);
        EXPECT_EQ(rack.slot(i).color, colors::black);
    }
}

}  // namespace

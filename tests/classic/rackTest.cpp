#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "classic/rack.h"
#include "classic/tileBag.h"

namespace {

using quillbox::DragState;
using quillbox::kInsertMarkers;
using quillbox::kRackSlots;
using quillbox::Rack;
using quillbox::TileBag;
namespace colors = quillbox::colors;

// Ten characters, one per slot: '.' empty, an upper-case letter a tile, a
// lower-case letter a blank standing for that letter.
Rack rackOf(const std::string& layout) {
    Rack rack;
    for (int i = 0; i < kRackSlots; ++i) {
        const char c = layout.at(static_cast<std::size_t>(i));
        if (c == '.')
            continue;
        if (std::islower(static_cast<unsigned char>(c))) {
            rack.receiveDrawnTile(i, TileBag::kBlank);
            rack.setBlankLetter(i, static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        } else {
            rack.receiveDrawnTile(i, c);
        }
    }
    return rack;
}

std::string layoutOf(const Rack& rack) {
    std::string out;
    for (int i = 0; i < kRackSlots; ++i) {
        const auto& s = rack.slot(i);
        if (!s.occupied) {
            out += '.';
            continue;
        }
        out += s.blank ? static_cast<char>(std::tolower(static_cast<unsigned char>(s.letter)))
                       : s.letter;
    }
    return out;
}

std::string visibleMarkers(const Rack& rack) {
    std::string out;
    for (int k = 0; k < kInsertMarkers; ++k)
        out += rack.markerVisible(k) ? '^' : '-';
    return out;
}

bool anyBorder(const Rack& rack) {
    for (int i = 0; i < kRackSlots; ++i)
        if (rack.hasBorder(i))
            return true;
    return false;
}

// A whole drag of the tile in slot source: onto slot target at x twips.
void dragOntoSlot(Rack& rack, int source, int target, double x) {
    rack.dragOverSlot(source, DragState::Enter, 200);
    rack.dragOverSlot(source, DragState::Leave, 200);
    rack.dragOverSlot(target, DragState::Enter, x);
    rack.dragOverSlot(target, DragState::Over, x);
    rack.dropOnSlot(target, source);
}

void dragIntoGap(Rack& rack, int source, int gap) {
    rack.dragOverSlot(source, DragState::Enter, 200);
    rack.dragOverSlot(source, DragState::Leave, 200);
    rack.dragOverGap(gap, DragState::Enter);
    rack.dragOverGap(gap, DragState::Over);
    rack.dropOnGap(gap, source);
}

TEST(RackSelection, ClickingTogglesBetweenBlackAndWhite) {
    Rack rack = rackOf("CAT.......");
    EXPECT_TRUE(rack.toggleSelection(0));
    EXPECT_EQ(rack.slot(0).colour, colors::white);
    EXPECT_EQ(rack.selectedCount(), 1);
    EXPECT_TRUE(rack.toggleSelection(0));
    EXPECT_EQ(rack.slot(0).colour, colors::black);
    EXPECT_EQ(rack.selectedCount(), 0);
}

TEST(RackSelection, AnEmptySlotCannotBeSelected) {
    Rack rack = rackOf("CAT.......");
    EXPECT_FALSE(rack.toggleSelection(5));
    EXPECT_EQ(rack.selectedCount(), 0);
    EXPECT_FALSE(rack.slot(5).occupied);
}

TEST(RackSelection, SelectedWordReadsSelectedTilesInSlotOrder) {
    Rack rack = rackOf("CAT.......");
    rack.toggleSelection(2);
    rack.toggleSelection(0);
    EXPECT_EQ(rack.selectedWord(), "CT");

    Rack spread = rackOf(".Q..x..I.N");
    for (int s : {9, 4, 1})
        spread.toggleSelection(s);
    EXPECT_EQ(spread.selectedWord(), "QXN");  // a blank gives the letter it stands for
    EXPECT_EQ(spread.selectedCount(), 3);
}

TEST(RackSelection, TakingTheSelectedWordEmptiesOnlyItsSlots) {
    Rack rack = rackOf(".ACDB..e..");
    rack.toggleSelection(1);
    rack.toggleSelection(4);
    const auto taken = rack.takeSelectedWord();
    EXPECT_EQ(taken.word, "AB");
    EXPECT_EQ(taken.blankIndex1, -1);
    EXPECT_EQ(taken.blankIndex2, -1);
    EXPECT_EQ(layoutOf(rack), "..CD...e..");
    EXPECT_EQ(rack.selectedCount(), 0);
    EXPECT_FALSE(rack.slot(1).blank);
    EXPECT_EQ(rack.slot(1).colour, colors::black);
}

TEST(RackSelection, TakingAWordNotesWhereTheBlanksWere) {
    Rack middle = rackOf("TeN.......");
    for (int s : {0, 1, 2})
        middle.toggleSelection(s);
    const auto one = middle.takeSelectedWord();
    EXPECT_EQ(one.word, "TEN");
    EXPECT_EQ(one.blankIndex1, 1);
    EXPECT_EQ(one.blankIndex2, -1);
    EXPECT_FALSE(middle.slot(1).blank);  // the emptied slot is no blank any more

    Rack two = rackOf("..a.x.....");
    two.toggleSelection(2);
    two.toggleSelection(4);
    const auto both = two.takeSelectedWord();
    EXPECT_EQ(both.word, "AX");
    EXPECT_EQ(both.blankIndex1, 0);
    EXPECT_EQ(both.blankIndex2, 1);
}

TEST(RackSelection, TileStringListsOccupiedSlotsWithBlanksAsUnderscores) {
    EXPECT_EQ(rackOf("Q.I.x.E...").tileString(), "QI_E");
}

TEST(RackDragFeedback, SlotBorderAndMarkerFollowThePointer) {
    Rack rack = rackOf("ABC.......");
    rack.dragOverSlot(1, DragState::Enter, 100);
    EXPECT_TRUE(rack.hasBorder(1));
    EXPECT_EQ(visibleMarkers(rack), "-^---------");
    rack.dragOverSlot(1, DragState::Over, 400);
    EXPECT_EQ(visibleMarkers(rack), "--^--------");
    rack.dragOverSlot(1, DragState::Leave, 400);
    EXPECT_FALSE(rack.hasBorder(1));
    EXPECT_EQ(visibleMarkers(rack), "-----------");
    // Empty slots react the same way; the last slot's right half points past it.
    rack.dragOverSlot(9, DragState::Enter, 494);
    EXPECT_TRUE(rack.hasBorder(9));
    EXPECT_EQ(visibleMarkers(rack), "----------^");
}

TEST(RackDragFeedback, ExactlyHalfTheWidthCountsAsTheRightHalf) {
    Rack rack = rackOf("ABC.......");
    rack.dragOverSlot(2, DragState::Over, 247.4);
    EXPECT_EQ(visibleMarkers(rack), "--^--------");
    rack.dragOverSlot(2, DragState::Over, 247.5);
    EXPECT_EQ(visibleMarkers(rack), "---^-------");
    rack.dragOverSlot(2, DragState::Over, 0);
    EXPECT_EQ(visibleMarkers(rack), "--^--------");
    // Another width moves the threshold with it.
    rack.dragOverSlot(2, DragState::Over, 300, 600);
    EXPECT_EQ(visibleMarkers(rack), "---^-------");
    rack.dragOverSlot(2, DragState::Over, 299, 600);
    EXPECT_EQ(visibleMarkers(rack), "--^--------");
}

TEST(RackDragFeedback, AGapShowsAndHidesOnlyItsOwnMarker) {
    Rack rack = rackOf("ABC.......");
    rack.dragOverGap(4, DragState::Enter);
    rack.dragOverGap(7, DragState::Over);
    EXPECT_EQ(visibleMarkers(rack), "----^--^---");
    rack.dragOverGap(4, DragState::Leave);
    EXPECT_EQ(visibleMarkers(rack), "-------^---");
    rack.hideInsertMarkers();
    EXPECT_EQ(visibleMarkers(rack), "-----------");
}

TEST(RackDrop, OnItsOwnSlotChangesNothingButHidesTheMarkers) {
    Rack rack = rackOf("ABC.......");
    rack.toggleSelection(1);
    dragOntoSlot(rack, 1, 1, 400);
    EXPECT_EQ(layoutOf(rack), "ABC.......");
    EXPECT_EQ(rack.slot(1).colour, colors::white);
    EXPECT_EQ(visibleMarkers(rack), "-----------");
    EXPECT_FALSE(anyBorder(rack));
}

TEST(RackDrop, OnAnEmptySlotMovesOnlyTheDraggedTile) {
    Rack rack = rackOf("ABC.......");
    dragOntoSlot(rack, 0, 7, 100);
    EXPECT_EQ(layoutOf(rack), ".BC....A..");
    EXPECT_FALSE(anyBorder(rack));
    EXPECT_EQ(visibleMarkers(rack), "-----------");
}

TEST(RackDrop, OnTheLeftHalfOfATileInsertsBeforeIt) {
    Rack rack = rackOf("ABC.......");
    dragOntoSlot(rack, 0, 1, 100);
    EXPECT_EQ(layoutOf(rack), ".ABC......");
}

TEST(RackDrop, OnTheRightHalfOfATileInsertsAfterIt) {
    Rack rack = rackOf("ABC.......");
    dragOntoSlot(rack, 0, 1, 300);
    EXPECT_EQ(layoutOf(rack), ".BAC......");
}

TEST(RackDrop, IntoAGapShiftsTheTilesRightUpToTheFreedSlot) {
    Rack rack = rackOf("...DEFGHIJ");
    dragIntoGap(rack, 9, 3);
    EXPECT_EQ(layoutOf(rack), "...JDEFGHI");
}

TEST(RackDrop, PastTheLastSlotShiftsTheTilesLeft) {
    Rack rack = rackOf("A....FGHIJ");
    dragIntoGap(rack, 0, 10);
    EXPECT_EQ(layoutOf(rack), "....FGHIJA");
    EXPECT_EQ(visibleMarkers(rack), "-----------");
}

TEST(RackDrop, TheRightSideAbsorbsTheShiftEvenWhenTheLeftIsCloser) {
    // Slot 1 is empty two places left of gap 3; slot 6 three places right of it.
    Rack rack = rackOf("X.ABCD..E.");
    dragIntoGap(rack, 8, 3);
    EXPECT_EQ(layoutOf(rack), "X.AEBCD...");
}

TEST(RackDrop, OnlyTheTilesUpToTheNearestHoleMove) {
    // Right: the hole at slot 3 takes the shift; D and E further right stay.
    Rack right = rackOf("ABC.D.E.F.");
    dragIntoGap(right, 8, 1);
    EXPECT_EQ(layoutOf(right), "AFBCD.E...");
    // Left: the hole at slot 4 takes it; Y further left stays.
    Rack left = rackOf("X.Y..FGHIJ");
    dragIntoGap(left, 0, 10);
    EXPECT_EQ(layoutOf(left), "..Y.FGHIJX");
}

TEST(RackDrop, TheLeftSearchMovesTheTilesBetweenIntoTheHole) {
    // Dropping on the right half of slot 8 with slot 9 full: p = 9, nothing
    // empty at 9, so the nearest hole on the left, slot 3, takes the shift.
    Rack rack = rackOf("Z...EFGHIJ");
    dragOntoSlot(rack, 0, 8, 400);
    EXPECT_EQ(layoutOf(rack), "...EFGHIZJ");
}

TEST(RackDrop, AMovedTileKeepsItsSelectionAndBlank) {
    Rack rack = rackOf("AxC.......");
    rack.toggleSelection(0);
    rack.toggleSelection(1);
    EXPECT_EQ(rack.selectedWord(), "AX");
    dragOntoSlot(rack, 0, 2, 300);  // A goes after C
    EXPECT_EQ(layoutOf(rack), ".xCA......");
    EXPECT_EQ(rack.selectedCount(), 2);
    EXPECT_EQ(rack.selectedWord(), "XA");
    EXPECT_TRUE(rack.slot(1).blank);
    EXPECT_EQ(rack.slot(3).colour, colors::white);
    EXPECT_EQ(rack.slot(2).colour, colors::black);
    EXPECT_EQ(rack.slot(0).colour, colors::black);
}

TEST(RackDrop, WithoutADraggedTileNothingMoves) {
    Rack rack = rackOf("AB........");
    rack.dragOverSlot(1, DragState::Enter, 100);
    rack.dropOnSlot(1, 5);  // slot 5 holds nothing
    EXPECT_EQ(layoutOf(rack), "AB........");
    EXPECT_FALSE(anyBorder(rack));
    rack.dragOverGap(0, DragState::Enter);
    rack.dropOnGap(0, 6);
    EXPECT_EQ(layoutOf(rack), "AB........");
    EXPECT_EQ(visibleMarkers(rack), "-----------");
}

TEST(InsertTileAtMarker, UsesTheFirstVisibleMarker) {
    Rack rack = rackOf("ABCD......");
    rack.dragOverGap(2, DragState::Enter);
    rack.dragOverGap(1, DragState::Enter);
    rack.insertTileAtMarker('Z', colors::white, true);
    EXPECT_EQ(layoutOf(rack), "AzBCD.....");
    EXPECT_EQ(rack.slot(1).colour, colors::white);
    EXPECT_EQ(rack.selectedCount(), 1);
}

TEST(InsertTileAtMarker, NoMarkerAndTheLastMarkerBothMeanAfterSlotNine) {
    Rack none = rackOf("AB......YZ");
    none.insertTileAtMarker('Q', colors::black, false);
    EXPECT_EQ(layoutOf(none), "AB.....YZQ");

    Rack last = rackOf("AB......YZ");
    last.dragOverGap(10, DragState::Enter);
    last.insertTileAtMarker('Q', colors::black, false);
    EXPECT_EQ(layoutOf(last), "AB.....YZQ");
}

TEST(InsertTileAtMarker, IntoAnEmptySlotAtTheMarkerMovesNothing) {
    Rack rack = rackOf("AB.D......");
    rack.dragOverGap(2, DragState::Enter);
    rack.insertTileAtMarker('C', colors::black, false);
    EXPECT_EQ(layoutOf(rack), "ABCD......");
}

TEST(InsertTileAtMarker, RefusesAFullRack) {
    Rack rack = rackOf("ABCDEFGHIJ");
    EXPECT_THROW(rack.insertTileAtMarker('Q', colors::black, false), std::logic_error);
}

TEST(RackClear, EmptiesEverySlotMarkerAndBorder) {
    Rack rack = rackOf("AxC..F....");
    rack.toggleSelection(0);
    rack.dragOverSlot(5, DragState::Enter, 10);
    rack.clear();
    EXPECT_EQ(layoutOf(rack), "..........");
    EXPECT_EQ(rack.selectedCount(), 0);
    EXPECT_EQ(rack.rackCount(), 0);
    EXPECT_FALSE(anyBorder(rack));
    EXPECT_EQ(visibleMarkers(rack), "-----------");
    for (int i = 0; i < kRackSlots; ++i) {
        EXPECT_FALSE(rack.slot(i).blank);
        EXPECT_EQ(rack.slot(i).colour, colors::black);
    }
}

}  // namespace

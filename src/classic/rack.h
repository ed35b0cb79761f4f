#pragma once
// The rack of ten slots: tiles, their selection, and rearranging by drag and drop.
#include <array>
#include <string>

#include "classic/tileColors.h"

namespace quillbox::classic {

inline constexpr int kRackSlots = 10;
// Marker k points at the gap just before slot k; marker 10 at the place after slot 9.
inline constexpr int kInsertMarkers = 11;
// Width of a slot in twips; the left half of a slot inserts before it.
inline constexpr double kTileWidthTwips = 495.0;

// What a dragged tile is doing over a slot or a gap.
enum class DragState { Enter = 0, Leave = 1, Over = 2 };

struct RackSlot {
    bool occupied = false;
    char letter = '\0';  // 'A'..'Z'; '\0' while empty. A blank holds the letter it stands for.
    Rgb color = colors::black;  // white while selected
    bool blank = false;         // drawn underlined
    // While selected: the count of selections on the rack when this tile was
    // selected, so the latest selection can be undone. Moves with the tile.
    unsigned selectedOrder = 0;

    bool selected() const { return color == colors::white; }
};

// The letters a play took from the rack, with the positions of letters that
// came from blanks (-1 for none).
struct TakenWord {
    std::string word;
    int blankIndex1 = -1;
    int blankIndex2 = -1;
};

class Rack {
  public:
    const RackSlot& slot(int i) const { return slots_.at(static_cast<std::size_t>(i)); }
    bool markerVisible(int k) const { return markers_.at(static_cast<std::size_t>(k)); }
    // The single-line border drawn around the slot a tile is dragged over.
    bool hasBorder(int i) const { return borders_.at(static_cast<std::size_t>(i)); }

    // Number of occupied slots.
    int rackCount() const;
    // Number of selected (white) tiles.
    int selectedCount() const;
    // Letters of the selected tiles in slot order.
    std::string selectedWord() const;
    // One character per occupied slot in slot order: its letter, or '_' for a
    // blank whatever it stands for (what the legal-play search reads).
    std::string tileString() const;
    // The slot of the selected tile that was selected last; -1 when none is.
    int lastSelected() const;
    // The leftmost unselected tile showing letter (a blank shows the letter it
    // stands for); -1 when there is none.
    int leftmostUnselected(char letter) const;

    // Empties every slot, hides every marker and border.
    void clear();
    void emptySlot(int i);
    // A tile leaving the bag: a blank shows "E" underlined. The colour is not
    // touched, as an empty slot is always black.
    void receiveDrawnTile(int i, char tile);
    // Selects or deselects the tile in slot i; false when the slot is empty.
    bool toggleSelection(int i);
    // Sets the letter a blank tile stands for; false unless slot i holds a blank.
    bool setBlankLetter(int i, char letter);
    // Removes every selected tile, reading their letters left to right.
    TakenWord takeSelectedWord();

    void hideInsertMarkers();

    // x in twips from the slot's left edge; width is the slot's width.
    void dragOverSlot(int i, DragState state, double x, double width = kTileWidthTwips);
    void dragOverGap(int k, DragState state);
    // Drops the tile of slot source on slot i or into gap k. A moved tile keeps
    // its letter, colour and blank flag. A source slot that holds no tile
    // (nothing was being dragged) changes nothing but the drag feedback.
    // The drop on a slot returns the slot the carried tile landed in, -1 when
    // none was carried.
    int dropOnSlot(int i, int source);
    void dropOnGap(int k, int source);

  private:
    RackSlot& at(int i) { return slots_.at(static_cast<std::size_t>(i)); }
    // Reads the tile of slot source and empties the slot.
    RackSlot lift(int source);
    // Puts a tile at the insertion point shown by the markers; the nearest empty
    // slot to the right absorbs the shift, else the nearest to the left. At least
    // one slot must be empty. Returns the slot the tile landed in.
    int insertAtMarker(const RackSlot& incoming);

    std::array<RackSlot, kRackSlots> slots_{};
    std::array<bool, kInsertMarkers> markers_{};
    std::array<bool, kRackSlots> borders_{};
    unsigned selections_ = 0;
};

}  // namespace quillbox::classic

#include "classic/rack.h"

#include <stdexcept>

#include "classic/tileBag.h"

namespace quillbox::classic {

int Rack::rackCount() const {
    int n = 0;
    for (const auto& s : slots_)
        if (s.occupied)
            ++n;
    return n;
}

int Rack::selectedCount() const {
    int n = 0;
    for (const auto& s : slots_)
        if (s.occupied && s.selected())
            ++n;
    return n;
}

std::string Rack::selectedWord() const {
    std::string word;
    for (const auto& s : slots_)
        if (s.occupied && s.selected())
            word += s.letter;
    return word;
}

std::string Rack::tileString() const {
    std::string tiles;
    for (const auto& s : slots_)
        if (s.occupied)
            tiles += s.blank ? TileBag::kBlank : s.letter;
    return tiles;
}

int Rack::lastSelected() const {
    int last = -1;
    for (int i = 0; i < kRackSlots; ++i)
        if (slot(i).occupied && slot(i).selected() &&
            (last < 0 || slot(i).selectedOrder > slot(last).selectedOrder))
            last = i;
    return last;
}

int Rack::leftmostUnselected(char letter) const {
    for (int i = 0; i < kRackSlots; ++i)
        if (slot(i).occupied && !slot(i).selected() && slot(i).letter == letter)
            return i;
    return -1;
}

void Rack::clear() {
    slots_.fill(RackSlot{});
    markers_.fill(false);
    borders_.fill(false);
}

void Rack::emptySlot(int i) {
    at(i) = RackSlot{};
}

void Rack::receiveDrawnTile(int i, char tile) {
    RackSlot& s = at(i);
    if (tile == TileBag::kBlank) {
        s.letter = 'E';
        s.blank = true;
    } else {
        s.letter = tile;
    }
    s.occupied = true;
}

bool Rack::toggleSelection(int i) {
    RackSlot& s = at(i);
    if (!s.occupied)
        return false;
    s.color = s.selected() ? colors::black : colors::white;
    s.selectedOrder = s.selected() ? ++selections_ : 0;
    return true;
}

bool Rack::setBlankLetter(int i, char letter) {
    RackSlot& s = at(i);
    if (!s.occupied || !s.blank)
        return false;
    s.letter = letter;
    return true;
}

TakenWord Rack::takeSelectedWord() {
    TakenWord taken;
    int blanks = 0;
    for (auto& s : slots_) {
        if (!s.occupied || !s.selected())
            continue;
        taken.word += s.letter;
        if (s.blank) {
            const int position = static_cast<int>(taken.word.size()) - 1;
            (++blanks == 1 ? taken.blankIndex1 : taken.blankIndex2) = position;
        }
        s = RackSlot{};
    }
    return taken;
}

void Rack::hideInsertMarkers() {
    markers_.fill(false);
}

int Rack::insertAtMarker(const RackSlot& incoming) {
    // Marker 10 is never inspected: no marker at all also means "after slot 9".
    int p = kRackSlots;
    for (int k = 0; k < kRackSlots; ++k) {
        if (markers_[static_cast<std::size_t>(k)]) {
            p = k;
            break;
        }
    }

    for (int e = p; e < kRackSlots; ++e) {
        if (slot(e).occupied)
            continue;
        for (int s = e - 1; s >= p; --s)
            at(s + 1) = slot(s);
        at(p) = incoming;
        return p;
    }
    for (int e = p - 1; e >= 0; --e) {
        if (slot(e).occupied)
            continue;
        for (int s = e; s <= p - 2; ++s)
            at(s) = slot(s + 1);
        at(p - 1) = incoming;
        return p - 1;
    }
    throw std::logic_error("no empty rack slot to insert a tile into");
}

void Rack::dragOverSlot(int i, DragState state, double x, double width) {
    auto& border = borders_.at(static_cast<std::size_t>(i));
    hideInsertMarkers();
    if (state == DragState::Leave) {
        border = false;
        return;
    }
    border = true;
    // Exactly half way counts as the right half.
    markers_.at(static_cast<std::size_t>(x < width / 2.0 ? i : i + 1)) = true;
}

void Rack::dragOverGap(int k, DragState state) {
    markers_.at(static_cast<std::size_t>(k)) = state != DragState::Leave;
}

RackSlot Rack::lift(int source) {
    const RackSlot carried = slot(source);
    emptySlot(source);
    return carried;
}

int Rack::dropOnSlot(int i, int source) {
    borders_.at(static_cast<std::size_t>(i)) = false;
    int landed = -1;
    if (slot(source).occupied) {
        const RackSlot carried = lift(source);
        if (!slot(i).occupied) {
            at(i) = carried;
            landed = i;
        } else {
            landed = insertAtMarker(carried);
        }
    }
    hideInsertMarkers();
    return landed;
}

void Rack::dropOnGap(int k, int source) {
    if (slot(source).occupied) {
        const RackSlot carried = lift(source);
        markers_.at(static_cast<std::size_t>(k)) = true;
        insertAtMarker(carried);
    }
    hideInsertMarkers();
}

}  // namespace quillbox::classic

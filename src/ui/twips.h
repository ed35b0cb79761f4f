#pragma once
// Layouts are given in twips; Qt's logical pixels are 96 dpi pixels (15 twips)
// that Qt scales on high-DPI screens by itself.
#include <QRect>

namespace quillbox::ui {

constexpr int tw(int twips) {
    return (twips + 7) / 15;
}

constexpr QRect twRect(int left, int top, int width, int height) {
    return QRect(tw(left), tw(top), tw(width), tw(height));
}

}  // namespace quillbox::ui

#pragma once
// Each window class has one application-wide instance, created on first use.
// Closing a window destroys it (Qt::WA_DeleteOnClose), so the next use builds
// it afresh from its design state.
#include <QPointer>

namespace quillbox::ui {

template <class W>
class SingleInstance {
  public:
    static W& instance() {
        if (ptr().isNull())
            ptr() = new W();
        return *ptr();
    }
    static bool loaded() { return !ptr().isNull(); }
    // Closes (and so unloads) the instance if it exists.
    static void unload() {
        if (!ptr().isNull())
            ptr()->close();
    }

  protected:
    // Windows created directly (tests) register themselves as the instance.
    void registerInstance(W* w) { ptr() = w; }

  private:
    static QPointer<W>& ptr() {
        static QPointer<W> p;
        return p;
    }
};

}  // namespace quillbox::ui

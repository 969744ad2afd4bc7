#pragma once

class QWidget;

namespace zestora {

// Makes a hidden top-level window's backing store at the window's size and writes every pixel of
// it once. The memory a backing store draws into is new, and on some machines the first write to
// each page of it costs far more than the drawing: done while the window is hidden, the window's
// first paint on screen then finds it ready. The window's native window must exist.
void warmBackingStore(QWidget* window);

} // namespace zestora

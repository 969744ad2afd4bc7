#include "platform/warmbackingstore.h"

#include <QBackingStore>
#include <QPainter>
#include <QWidget>

namespace zestora {

void warmBackingStore(QWidget* window)
{
    QBackingStore* store = window->backingStore();
    if (!store)
        return;
    const QRect all(QPoint(), window->size());
    // The window's first paint resizes the store to this size, which keeps what it has.
    store->resize(all.size());
    store->beginPaint(all);
    {
        // What the first paint puts first: the window's background.
        QPainter painter(store->paintDevice());
        painter.fillRect(all, window->palette().window());
    }
    store->endPaint();
}

} // namespace zestora

#include "platform/toolbar.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>

namespace zestora {

ToolBar::ToolBar(const QString& objectName, QWidget* parent)
    : QToolBar(parent)
{
    setObjectName(objectName);
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

QMenu* ToolBar::addBand(const QString& name, const QString& caption)
{
    auto* band = new QMenu(caption, this);
    band->setObjectName(name);
    band->setToolTipsVisible(true);
    band->setWindowTitle(caption);
    return band;
}

QAction* ToolBar::addTool(const QString& name, const QString& caption, const QString& description,
                          const QKeySequence& key, QMenu* band)
{
    QAction* action = defineTool(name, caption);
    if (!description.isEmpty()) {
        action->setToolTip(description);
        action->setStatusTip(description);
    }
    action->setShortcut(key);
    if (band)
        band->addAction(action);
    else
        addAction(action);
    return action;
}

QAction* ToolBar::addCheckTool(const QString& name, const QString& caption, const QKeySequence& key,
                               QMenu* band)
{
    QAction* action = addTool(name, caption, QString(), key, band);
    action->setCheckable(true);
    return action;
}

QAction* ToolBar::addMenuTool(const QString& name, const QString& caption, QMenu* band,
                              const QKeySequence& key)
{
    QAction* action = band->menuAction();
    action->setObjectName(name);
    action->setText(caption);
    addAction(action);
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action)))
        button->setPopupMode(QToolButton::InstantPopup);
    // The keys are the window's, so that no text box takes the letter as typing.
    const auto opens = [this, action](const QKeySequence& sequence) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this,
                [this, action] { openBand(action); });
    };
    opens(key);
    if (m_menuTools.isEmpty())
        opens(QKeySequence(Qt::Key_F10));
    m_menuTools.append(action);
    band->installEventFilter(this);
    return action;
}

void ToolBar::openBand(QAction* menuTool)
{
    auto* button = qobject_cast<QToolButton*>(widgetForAction(menuTool));
    if (!button)
        return;
    // Opened by a key, a band shows its first tool highlighted, as a menu bar's menus do, so that
    // Enter takes it and the arrows start from it. Set once the band is up: showMenu waits in the
    // band's own loop until it closes.
    QMenu* band = menuTool->menu();
    QMetaObject::invokeMethod(
        band,
        [band] {
            const QList<QAction*> tools = band->actions();
            const auto first = std::find_if(tools.cbegin(), tools.cend(), [](QAction* tool) {
                return tool->isVisible() && tool->isEnabled() && !tool->isSeparator();
            });
            if (first != tools.cend())
                band->setActiveAction(*first);
        },
        Qt::QueuedConnection);
    button->showMenu();
}

bool ToolBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QToolBar::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* band = static_cast<QMenu*>(watched);
    const qsizetype at = m_menuTools.indexOf(band->menuAction());
    // A band's own sub-band opens with Right as usual.
    const bool intoSubBand = band->activeAction() && band->activeAction()->menu();
    if ((key != Qt::Key_Left && key != Qt::Key_Right) || at < 0 ||
        (key == Qt::Key_Right && intoSubBand))
        return QToolBar::eventFilter(watched, event);
    const qsizetype count = m_menuTools.size();
    QAction* beside = m_menuTools[(at + (key == Qt::Key_Right ? 1 : count - 1)) % count];
    band->close();
    // Opened once this band's own loop has ended.
    QMetaObject::invokeMethod(
        this, [this, beside] { openBand(beside); }, Qt::QueuedConnection);
    return true;
}

QAction* ToolBar::defineTool(const QString& name, const QString& caption)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    return action;
}

QAction* ToolBar::tool(const QString& name) const
{
    return findChild<QAction*>(name);
}

} // namespace zestora

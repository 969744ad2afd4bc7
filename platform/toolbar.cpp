#include "platform/toolbar.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

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

QAction* ToolBar::addMenuTool(const QString& name, const QString& caption, QMenu* band)
{
    QAction* action = band->menuAction();
    action->setObjectName(name);
    action->setText(caption);
    addAction(action);
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action)))
        button->setPopupMode(QToolButton::InstantPopup);
    return action;
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

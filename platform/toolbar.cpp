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

QAction* ToolBar::makeTool(const QString& name, const QString& caption, const QString& description)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!description.isEmpty()) {
        action->setToolTip(description);
        action->setStatusTip(description);
    }
    m_tools.insert(name, action);
    connect(action, &QAction::triggered, this, [this, action, name] {
        // A checkable action has already flipped its own mark; undo that, so the handler sees
        // the mark as it was when clicked and decides the new state itself.
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        Q_EMIT toolClick(name);
    });
    return action;
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
                          QMenu* band)
{
    QAction* action = makeTool(name, caption, description);
    if (band)
        band->addAction(action);
    else
        addAction(action);
    return action;
}

QAction* ToolBar::addCheckTool(const QString& name, const QString& caption, QMenu* band)
{
    QAction* action = addTool(name, caption, QString(), band);
    action->setCheckable(true);
    return action;
}

QAction* ToolBar::addMenuTool(const QString& name, const QString& caption, QMenu* band)
{
    QAction* action = band->menuAction();
    action->setObjectName(name);
    action->setText(caption);
    m_tools.insert(name, action);
    addAction(action);
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action)))
        button->setPopupMode(QToolButton::InstantPopup);
    return action;
}

QAction* ToolBar::defineTool(const QString& name, const QString& caption)
{
    return makeTool(name, caption, QString());
}

void ToolBar::setShortcuts(const QList<std::pair<QString, QKeySequence>>& keys)
{
    for (const auto& [name, key] : keys)
        if (QAction* action = tool(name))
            action->setShortcut(key);
}

bool ToolBar::isChecked(const QString& name) const
{
    const QAction* action = tool(name);
    return action && action->isChecked();
}

void ToolBar::setChecked(const QString& name, bool checked)
{
    if (QAction* action = tool(name))
        action->setChecked(checked);
}

} // namespace zestora

#pragma once

#include <QKeySequence>
#include <QToolBar>

class QAction;
class QMenu;

namespace zestora {

// A bar of tools: buttons, menu tools that drop down a band of further tools, and tools that carry
// a check mark. Each tool is its own QAction, which the screen connects to what the tool does; the
// tool's name is its objectName, by which it can be looked up.
class ToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit ToolBar(const QString& objectName, QWidget* parent);

    // A band: the drop-down list of tools a menu tool opens.
    QMenu* addBand(const QString& name, const QString& caption);
    // A button on the bar itself, or a tool in a band when band is given. Its key clicks it while
    // the bar is on view; the description is its tool tip.
    QAction* addTool(const QString& name, const QString& caption,
                     const QString& description = QString(), const QKeySequence& key = {},
                     QMenu* band = nullptr);
    // A tool with a check mark: a click turns the mark over, then raises triggered(checked).
    QAction* addCheckTool(const QString& name, const QString& caption, const QKeySequence& key,
                          QMenu* band);
    // A tool on the bar that opens a band, also by its key (Alt with a letter) while the bar's
    // window is active; F10 opens the first band. In an open band Left and Right go on to the
    // band beside it, as in a menu bar.
    QAction* addMenuTool(const QString& name, const QString& caption, QMenu* band,
                         const QKeySequence& key);
    // A tool known by name that sits on no band.
    QAction* defineTool(const QString& name, const QString& caption);

    // The tool of that name on this bar or its bands, or nullptr.
    QAction* tool(const QString& name) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openBand(QAction* menuTool);

    QList<QAction*> m_menuTools;
};

} // namespace zestora

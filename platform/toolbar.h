#pragma once

#include <QHash>
#include <QKeySequence>
#include <QToolBar>

class QAction;
class QMenu;

namespace zestora {

// A bar of named tools: buttons, menu tools that drop down a band of further tools, and tools
// that carry a check mark. A click raises toolClick with the tool's name; the screen's handler
// dispatches on the name and sets check marks itself.
class ToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit ToolBar(const QString& objectName, QWidget* parent);

    // A band: the drop-down list of tools a menu tool opens.
    QMenu* addBand(const QString& name, const QString& caption);
    // A button on the bar itself, or a tool in a band when band is given.
    QAction* addTool(const QString& name, const QString& caption, const QString& description,
                     QMenu* band = nullptr);
    // A tool whose check mark the program sets; clicking it does not change the mark by itself.
    QAction* addCheckTool(const QString& name, const QString& caption, QMenu* band);
    // A tool on the bar that opens a band.
    QAction* addMenuTool(const QString& name, const QString& caption, QMenu* band);
    // A tool known by name that sits on no band.
    QAction* defineTool(const QString& name, const QString& caption);

    QAction* tool(const QString& name) const { return m_tools.value(name); }
    // Keys that click tools, each working while its bar is on view; the descriptions stay as set.
    void setShortcuts(const QList<std::pair<QString, QKeySequence>>& keys);
    bool isChecked(const QString& name) const;
    void setChecked(const QString& name, bool checked);

Q_SIGNALS:
    void toolClick(const QString& name);

private:
    QAction* makeTool(const QString& name, const QString& caption, const QString& description);

    QHash<QString, QAction*> m_tools;
};

} // namespace zestora

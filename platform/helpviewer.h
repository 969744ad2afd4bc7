#pragma once

#include <QPointer>
#include <QString>
#include <QTextBrowser>

#include <functional>
#include <memory>
#include <optional>

class QObject;
class QWidget;

namespace zestora {

// The help viewer: the HTML help file shown at the topic of a context number, in a window of its
// own that opens in front of the window that asked and takes the keys; Escape closes it and
// nothing else. F1 in a window that names its topic opens that topic.
class HelpViewer {
public:
    HelpViewer();
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    // Remembers the program's window, which the viewer opens beside, and sets the help file: the
    // one beside the program unless a path is given. From then on F1 works in every window that
    // names its topic.
    void initHelp(QWidget* owner, const QString& programDir);
    void showHelp(int context);
    void closeHelp();

    // The topic F1 opens in window (a dialog, or a window of its own).
    static void setWindowContext(QWidget* window, int context);
    // The topic of the program's window, which changes with the screen on view; F1 in a message
    // box or file chooser opened over it opens that topic.
    void setOwnerContext(std::function<int()> context) { m_ownerContext = std::move(context); }
    std::optional<int> contextOf(const QWidget* window) const;

    const QString& helpFile() const { return m_helpFile; }
    // The viewer window while it is open (tests read the topic it shows).
    QTextBrowser* browser() const { return m_browser; }

private:
    void makeWindow();
    void keepOnScreen();

    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_window;
    QPointer<QTextBrowser> m_browser;
    QString m_helpFile;
    std::function<int()> m_ownerContext;
    QPointer<QObject> m_placement;      // places the window again once it is framed
    std::unique_ptr<QObject> m_helpKey; // watches for F1 once the help is set up
};

} // namespace zestora

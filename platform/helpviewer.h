#pragma once

#include <QPointer>

#include <QString>

#include <QTextBrowser>
class QWidget;

namespace zestora {

// The help viewer: a normal window of its own beside the program, showing the HTML help file at
// the topic of a context number; Escape closes it.
class HelpViewer {
public:
    HelpViewer() = default;
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    // Remembers the program's window, which the viewer opens beside, and sets the help file: the
    // one beside the program unless a path is given.
    void initHelp(QWidget* owner, const QString& programDir);
    void showHelp(int context);
    void closeHelp();

    const QString& helpFile() const { return m_helpFile; }
    // The viewer window while it is open (tests read the topic it shows).
    QTextBrowser* browser() const { return m_browser; }

private:
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_window;
    QPointer<QTextBrowser> m_browser;
    QString m_helpFile;
};

} // namespace zestora

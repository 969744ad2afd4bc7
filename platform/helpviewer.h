#pragma once

#include <QPointer>

#include <QString>

#include <QTextBrowser>
class QWidget;

namespace zestora {

// The help viewer: a window beside the program showing the HTML help file at the topic of a
// context number. It belongs to the owner window given at start-up.
class HelpViewer {
public:
    // Remembers the owner and sets the help file: the one beside the program unless a path is
    // given.
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

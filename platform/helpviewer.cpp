#include "platform/helpviewer.h"

#include "core/shell/helptopics.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zestora {

void HelpViewer::initHelp(QWidget* owner, const QString& programDir)
{
    m_owner = owner;
    m_helpFile = help::helpFilePath(programDir);
}

void HelpViewer::showHelp(int context)
{
    if (!m_window) {
        // A window of its own, not one kept above the program: the user reads it beside the
        // screen it explains and switches between the two.
        m_window = new QWidget();
        m_window->setObjectName(QStringLiteral("HelpWindow"));
        m_window->setWindowTitle(QStringLiteral("Zestora Help"));
        const QScreen* screen = m_owner ? m_owner->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1440, 900);
        m_window->resize(qMin(720, area.width() / 2), qMin(640, area.height()));
        m_window->move(area.right() + 1 - m_window->width(), area.top());
        auto* escape = new QShortcut(QKeySequence::Cancel, m_window);
        QObject::connect(escape, &QShortcut::activated, m_window.data(), &QWidget::close);
        m_browser = new QTextBrowser(m_window);
        m_browser->setObjectName(QStringLiteral("HelpBrowser"));
        m_browser->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_browser);
    }
    if (QFileInfo::exists(m_helpFile)) {
        QUrl topic = QUrl::fromLocalFile(m_helpFile);
        topic.setFragment(help::topicAnchor(context));
        m_browser->setSource(topic);
        m_browser->scrollToAnchor(help::topicAnchor(context));
    } else {
        m_browser->setPlainText(
            QStringLiteral("The help file %1 could not be found. Reinstalling Zestora restores it.")
                .arg(m_helpFile));
    }
    m_window->show();
    m_window->raise();
}

HelpViewer::~HelpViewer()
{
    delete m_window;
}

void HelpViewer::closeHelp()
{
    if (m_window)
        m_window->close();
}

} // namespace zestora

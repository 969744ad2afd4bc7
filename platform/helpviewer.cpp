#include "platform/helpviewer.h"

#include "core/shell/helptopics.h"

#include <QFileInfo>
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
        m_window = new QWidget(m_owner, Qt::Window);
        m_window->setObjectName(QStringLiteral("HelpWindow"));
        m_window->setWindowTitle(QStringLiteral("Zestora Help"));
        m_window->resize(720, 640);
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

void HelpViewer::closeHelp()
{
    if (m_window)
        m_window->close();
}

} // namespace zestora

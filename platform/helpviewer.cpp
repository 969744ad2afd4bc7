#include "platform/helpviewer.h"

#include "core/shell/helptopics.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>
#include <QVBoxLayout>

namespace zestora {

namespace {

const char* const contextProperty = "zestoraHelpContext";

// F1 pressed in a window that names its topic opens it. The main window gives its screens'
// topics with a shortcut of its own.
class HelpKey : public QObject {
public:
    explicit HelpKey(HelpViewer& viewer)
        : m_viewer(viewer)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        const std::optional<int> context =
            m_viewer.contextOf(static_cast<QWidget*>(watched)->window());
        if (!context)
            return false;
        m_viewer.showHelp(*context);
        return true;
    }

private:
    HelpViewer& m_viewer;
};

// A window manager frames a new window only after it is shown, and may move it to make room for
// the frame: once the frame is known the window is placed again, so that its frame too is wholly
// on the screen. Later moves are the user's own and are left alone.
class FramedPlacement : public QObject {
public:
    FramedPlacement(QWidget* window, std::function<void()> place)
        : QObject(window)
        , m_place(std::move(place))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* window = static_cast<QWidget*>(watched);
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
            window->frameGeometry() != window->geometry()) {
            watched->removeEventFilter(this);
            deleteLater();
            m_place();
        }
        return false;
    }

private:
    std::function<void()> m_place;
};

} // namespace

HelpViewer::HelpViewer() = default;

HelpViewer::~HelpViewer()
{
    delete m_window;
}

void HelpViewer::initHelp(QWidget* owner, const QString& programDir)
{
    m_owner = owner;
    m_helpFile = help::helpFilePath(programDir);
    if (!m_helpKey) {
        m_helpKey = std::make_unique<HelpKey>(*this);
        qApp->installEventFilter(m_helpKey.get());
    }
}

void HelpViewer::setWindowContext(QWidget* window, int context)
{
    window->setProperty(contextProperty, context);
}

std::optional<int> HelpViewer::contextOf(const QWidget* window) const
{
    // A window without a topic of its own (a message box, a file chooser) has the topic of the
    // window it was opened over.
    for (; window; window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
        if (const QVariant context = window->property(contextProperty); context.isValid())
            return context.toInt();
        if (window == m_owner && m_ownerContext)
            return m_ownerContext();
    }
    return std::nullopt;
}

void HelpViewer::makeWindow()
{
    // A window of its own, not one kept above the program: the user reads it beside the screen
    // it explains and switches between the two.
    m_window = new QWidget();
    m_window->setObjectName(QStringLiteral("HelpWindow"));
    m_window->setWindowTitle(QStringLiteral("Zestora Help"));
    HelpViewer::setWindowContext(m_window, help::contentsContext);
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

void HelpViewer::showHelp(int context)
{
    if (!m_window)
        makeWindow();
    // While a dialog is open only the windows it owns take the keys and the mouse: the help
    // window becomes its own for the while, and goes with it. Otherwise it stands on its own.
    QWidget* modal = QApplication::activeModalWidget();
    if (m_window->parentWidget() != modal) {
        // The window keeps its place by its frame: its inner geometry given back as the place
        // of a window that has no frame yet would put the title bar above the screen.
        const QPoint place = m_window->pos();
        const QSize size = m_window->size();
        m_window->setParent(modal, Qt::Window);
        m_window->resize(size);
        m_window->move(place);
    }
    m_window->show();
    keepOnScreen();
    if (!m_placement && m_window->frameGeometry() == m_window->geometry())
        m_placement = new FramedPlacement(m_window, [this] { keepOnScreen(); });
    m_window->raise();
    m_window->activateWindow();
    m_browser->setFocus();
    if (!QFileInfo::exists(m_helpFile)) {
        m_browser->setPlainText(
            QStringLiteral("The help file %1 could not be found. Reinstalling Zestora restores it.")
                .arg(m_helpFile));
        return;
    }
    const QString anchor = help::topicAnchor(context);
    QUrl topic = QUrl::fromLocalFile(m_helpFile);
    topic.setFragment(anchor);
    m_browser->setSource(topic);
    // Room after the last topic, so that every topic can open at its heading at the top.
    QTextFrame* root = m_browser->document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    if (const int room = m_window->screen()->availableGeometry().height();
        format.bottomMargin() < room) {
        format.setBottomMargin(room);
        root->setFrameFormat(format);
    }
    m_browser->scrollToAnchor(anchor);
}

void HelpViewer::keepOnScreen()
{
    // Wholly on the screen, so that the title bar can be taken and the window closed by mouse.
    const QRect area = m_window->screen()->availableGeometry();
    const QRect frame = m_window->frameGeometry();
    const QPoint inside(qBound(area.left(), frame.left(), area.right() + 1 - frame.width()),
                        qBound(area.top(), frame.top(), area.bottom() + 1 - frame.height()));
    if (inside != frame.topLeft())
        m_window->move(inside);
}

void HelpViewer::closeHelp()
{
    if (m_window)
        m_window->close();
}

} // namespace zestora

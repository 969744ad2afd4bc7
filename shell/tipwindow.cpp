#include "shell/tipwindow.h"

#include "ui_tipwindow.h"

#include "core/shell/helptopics.h"
#include "core/shell/tips.h"
#include "platform/helpviewer.h"
#include "platform/settings.h"
#include "shell/programfiles.h"

#include <QDateTime>
#include <QDir>
#include <QRandomGenerator>
#include <QScreen>

namespace zestora {

TipWindow::TipWindow(QWidget* parent, Settings& settings)
    : QDialog(parent)
    , m_settings(settings)
    , m_ui(std::make_unique<Ui::TipWindow>())
{
    m_ui->setupUi(this);
    HelpViewer::setWindowContext(this, help::contentsContext);
    connect(m_ui->cmdNextTip, &QPushButton::clicked, this, &TipWindow::showNextTip);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // Tab runs along the buttons as they read, left to right, but the window opens on OK, so
    // that the key most users press first closes it.
    m_ui->cmdOK->setFocus();
}

TipWindow::~TipWindow() = default;

TipWindow* TipWindow::open(QWidget* parent, Settings& settings, const QString& programDir)
{
    if (settings.readNumber(Settings::showTips) == 0)
        return nullptr;
    auto* window = new TipWindow(parent, settings);
    // In the upper part of the screen, a quarter of the free height down.
    window->adjustSize();
    const QRect area = window->screen()->availableGeometry();
    window->move(area.left() + (area.width() - window->width()) / 2,
                 area.top() + (area.height() - window->height()) / 4);
    window->m_ui->Picture1->setPixmap(
        QPixmap(QDir(programDir).filePath(programfiles::programPicture)));

    window->m_ui->chkLoadTipsAtStartup->setChecked(true);
    connect(window->m_ui->chkLoadTipsAtStartup, &QCheckBox::toggled, window,
            [window](bool checked) {
                window->m_settings.write(Settings::showTips,
                                         checked ? QStringLiteral("1") : QStringLiteral("0"));
            });
    window->loadTips(QDir(programDir).filePath(tips::fileName));
    window->show();
    return window;
}

void TipWindow::loadTips(const QString& path)
{
    const std::optional<QStringList> loaded = tips::loadTips(path);
    if (!loaded) {
        m_ui->lblTipText->setText(
            QStringLiteral("That the ") + tips::fileName + QStringLiteral(" file was not found? ") +
            QStringLiteral("\r\n") + QStringLiteral("\r\n") +
            QStringLiteral("Create a text file named ") + tips::fileName +
            QStringLiteral(" using a text editor with 1 tip per line. ") +
            QStringLiteral("Then place it in the same directory as the application. "));
        return;
    }
    m_tipList = *loaded;
    // A tip at random, from a generator seeded from the clock.
    QRandomGenerator random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    m_tipIndex = static_cast<int>(random.generateDouble() * m_tipList.size() + 1);
    displayCurrentTip();
}

void TipWindow::displayCurrentTip()
{
    if (!m_tipList.isEmpty())
        m_ui->lblTipText->setText(m_tipList.value(m_tipIndex - 1));
}

void TipWindow::showNextTip()
{
    m_tipIndex = tips::nextTip(m_tipIndex, static_cast<int>(m_tipList.size()));
    displayCurrentTip();
}

void TipWindow::done(int result)
{
    QDialog::done(result);
    deleteLater();
}

} // namespace zestora

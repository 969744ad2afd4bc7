#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TipWindow;
}

namespace zestora {

class Settings;

// The tip of the day: one line of the tips file beside the program, shown at start-up over the
// analysis screen, modeless.
class TipWindow : public QDialog {
    Q_OBJECT
public:
    // Shows the tip window, unless the tips are turned off in the settings; then it answers
    // nullptr. The window deletes itself when closed.
    static TipWindow* open(QWidget* parent, Settings& settings, const QString& programDir);

    ~TipWindow() override;
    void done(int result) override;

private:
    TipWindow(QWidget* parent, Settings& settings);

    void loadTips(const QString& path);
    void displayCurrentTip();
    void showNextTip();

    Settings& m_settings;
    const std::unique_ptr<Ui::TipWindow> m_ui;
    QStringList m_tipList;
    int m_tipIndex = 0; // from 1
};

} // namespace zestora

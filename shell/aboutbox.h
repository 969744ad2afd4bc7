#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutBox;
}

namespace zestora {

// The about box: the program's picture, name and version.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    // Shows the box modally until OK.
    static void run(QWidget* parent, const QString& programDir);

private:
    AboutBox(QWidget* parent, const QString& programDir);
    ~AboutBox() override;

    const std::unique_ptr<Ui::AboutBox> m_ui;
};

} // namespace zestora

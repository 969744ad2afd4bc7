#pragma once

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class HeadingDialog;
}

namespace zestora {

class HelpViewer;

// Asks for a heading; an empty one is a blank line.
class HeadingDialog : public QDialog {
    Q_OBJECT
public:
    // The heading as typed when the user clicks Done; nothing on Cancel.
    static std::optional<QString> ask(QWidget* parent, HelpViewer& help);

private:
    HeadingDialog(QWidget* parent, HelpViewer& help);
    ~HeadingDialog() override;
    void headingChanged();
    // Escape asks before a typed heading goes.
    void reject() override;

    const std::unique_ptr<Ui::HeadingDialog> m_ui;
};

} // namespace zestora

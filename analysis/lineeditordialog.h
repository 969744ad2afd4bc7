#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class LineEditorDialog;
}

namespace zestora {

// The Edit Window: what to do with the recipe line the user clicked.
class LineEditorDialog : public QDialog {
    Q_OBJECT
public:
    enum class Action { Insert, Replace, Delete, Cancel };

    // Shows the dialog for the line's row text and returns the user's choice.
    static Action ask(QWidget* parent, const QString& row);

private:
    LineEditorDialog(QWidget* parent, const QString& row);
    ~LineEditorDialog() override;

    const std::unique_ptr<Ui::LineEditorDialog> m_ui;
    Action m_action = Action::Cancel;
};

} // namespace zestora

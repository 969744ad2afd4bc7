#pragma once

#include "core/analysis/recipedraft.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class LineEditorDialog;
}

namespace zestora {

// The Edit Window: what to do with the recipe line the user clicked.
class LineEditorDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog for the line's row text and returns the user's choice; none on Cancel.
    static std::optional<RecipeDraft::Edit> ask(QWidget* parent, const QString& row);

private:
    LineEditorDialog(QWidget* parent, const QString& row);
    ~LineEditorDialog() override;

    const std::unique_ptr<Ui::LineEditorDialog> m_ui;
    std::optional<RecipeDraft::Edit> m_choice;
};

} // namespace zestora

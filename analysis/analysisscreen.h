#pragma once

#include <QWidget>

#include <memory>

class QAbstractItemModel;

namespace Ui {
class AnalysisScreen;
}

namespace zestora {

struct Session;

class AnalysisScreen : public QWidget {
    Q_OBJECT
public:
    AnalysisScreen(Session& session, QAbstractItemModel* ingredientNames, QWidget* parent);
    ~AnalysisScreen() override;

private:
    Session& m_session;
    const std::unique_ptr<Ui::AnalysisScreen> m_ui;
};

} // namespace zestora

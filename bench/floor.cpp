// Qt's floor: a bare widgets window, shown as the program shows its main window and closed once its
// first paint is on screen. Its peak memory is what any Qt widgets program costs here.
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        QTimer::singleShot(0, qApp, [] {
            QGuiApplication::sync();
            QApplication::quit();
        });
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    BareWindow window;
    window.showMaximized();
    return QApplication::exec();
}

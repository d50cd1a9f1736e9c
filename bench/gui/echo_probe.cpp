// The floor for a Qt program at a person's pace: a bare window of the game's
// client size whose one label shows the keys typed so far, and a one-second
// timer that does nothing, as the game's clock ticks while it waits.
// Plain Qt, no game code. Runs until it is killed.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>

namespace {

class EchoWindow final : public QWidget {
public:
    EchoWindow() : label_(this) {
        setWindowTitle(QStringLiteral("echo_probe"));
        resize(507, 373);
        label_.setGeometry(20, 20, 467, 40);
        // The label's width holds the last keys; older ones scroll off.
        label_.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        tick_.start(1000);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override {
        typed_ = (typed_ + event->text()).right(40);
        label_.setText(typed_);
    }

private:
    QLabel label_;
    QTimer tick_;
    QString typed_;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    EchoWindow window;
    window.show();
    window.activateWindow();
    return app.exec();
}

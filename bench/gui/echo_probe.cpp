// The floor for a Qt program at a person's pace: a bare window of the game's
// client size whose one label shows the keys typed so far, and a one-second
// timer that does nothing, as the game's clock ticks while it waits. With
// --clock the timer also shows the seconds gone in a second label, as the
// game's clock does while a game runs: the floor for a window that repaints
// once a second. Plain Qt, no game code. Runs until it is killed.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>

namespace {

class EchoWindow final : public QWidget {
public:
    explicit EchoWindow(bool clock) : label_(this), clock_(this) {
        setWindowTitle(QStringLiteral("echo_probe"));
        resize(507, 373);
        label_.setGeometry(20, 20, 467, 40);
        // The label's width holds the last keys; older ones scroll off.
        label_.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        clock_.setGeometry(20, 80, 120, 20);
        if (clock)
            connect(&tick_, &QTimer::timeout, this, [this] {
                const qint64 s = started_.elapsed() / 1000;
                clock_.setText(QStringLiteral("%1:%2").arg(s / 60).arg(s % 60));
            });
        started_.start();
        tick_.start(1000);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override {
        typed_ = (typed_ + event->text()).right(40);
        label_.setText(typed_);
    }

private:
    QLabel label_;
    QLabel clock_;
    QTimer tick_;
    QElapsedTimer started_;
    QString typed_;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    EchoWindow window(QApplication::arguments().contains(QStringLiteral("--clock")));
    window.show();
    window.activateWindow();
    return app.exec();
}

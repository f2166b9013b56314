// The smallest Qt widgets program with a window: the yardstick for the till's start-up time
// and memory.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("最小窗口"));
    window.setWindowTitle(QStringLiteral("minimal"));
    // The till's designed size: a window's backing store grows with its area, so the yardstick
    // for memory is a window as large as the till's.
    window.resize(945, 680);
    window.show();
    return app.exec();
}

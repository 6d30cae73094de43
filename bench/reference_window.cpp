// The smallest Qt Widgets program shaped like the navigator's main window: a menu bar, a tab
// bar and a label refreshed by a 1100 ms timer. scripts/bench measures its start-up and memory
// in the same run as the navigator's, so the navigator's figures are ratios to it.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabBar>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Reference window"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), &window, &QWidget::close);

    auto* panel = new QWidget(&window);
    auto* layout = new QVBoxLayout(panel);
    auto* tabs = new QTabBar(panel);
    for (const char* name : {"Position", "Speed", "Time"})
        tabs->addTab(QString::fromLatin1(name));
    auto* label = new QLabel(panel);
    layout->addWidget(tabs);
    layout->addWidget(label);
    window.setCentralWidget(panel);

    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, label, [label] {
        label->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    });
    timer.start(1100);
    window.resize(627, 97);
    window.show();
    return app.exec();
}

// The least Qt Widgets program that shows a window: the yardstick for start-up time.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(475, 439);
    window.show();
    return application.exec();
}

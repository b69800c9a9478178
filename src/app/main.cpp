#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setObjectName(QStringLiteral("Tillwick1"));
    window.setWindowTitle(QStringLiteral("Tillwick 5.3"));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}

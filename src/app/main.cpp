// The desktop program.
#include <QApplication>
#include <QMainWindow>

#include "db/app_conventions.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetAppConventions();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Főkönyvi könyvelés * ") + QStringLiteral(TARVEDO_VERSION));
    window.show();
    return app.exec();
}

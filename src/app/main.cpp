// The desktop program: the main window runs the start-up when it is shown.
#include <QApplication>

#include "db/altproc.h"
#include "db/app_conventions.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "shell/main_tarvedo_window.h"
#include "shell/msg_window.h"

namespace {

// An error that an event handler does not handle itself is shown to the
// user and abandons the event; the program goes on.
class TarvedoApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const DbError& error) {
            ShowMessage(error.message());
        } catch (const HelperError& error) {
            ShowMessage(error.message());
        } catch (const std::exception& error) {
            ShowMessage(QString::fromUtf8(error.what()));
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    TarvedoApplication app(argc, argv);
    SetAppConventions();
    InstallDesktopDialogs();
    Tmain_tarvedofm window(QCoreApplication::arguments().mid(1));
    window.show();
    return app.exec();
}

// The desktop program: the main window runs the start-up when it is shown.
#include <QApplication>

#include "db/altproc.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "export/Qexport_window.h"
#include "shell/desktop_start_window.h"
#include "shell/main_tarvedo_window.h"

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
    // Conventions, Hungarian texts, dialogs and the export file window, for the whole run.
    const std::unique_ptr<Tqexportfm> qexportfm = PrepareDesktopProgram();
    Tmain_tarvedofm window(QCoreApplication::arguments().mid(1));
    window.show();
    return app.exec();
}

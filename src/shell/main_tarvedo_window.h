#pragma once
// The main window: it runs the start-up when it is first shown, carries the
// main menu, shows the open company and database, and at the end of the run
// writes the database, company and year in use back to TARVEDO.INI.
#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "shell/startup.h"

class QLabel;
class QMenu;
class QPushButton;
class Tcegvalasztfm;
class Tinifm;

class Tmain_tarvedofm : public QMainWindow {
    Q_OBJECT
public:
    // `arguments`: the program's command-line arguments; any argument skips
    // the login.
    explicit Tmain_tarvedofm(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~Tmain_tarvedofm() override;

    QWidget* Panel1;
    QLabel* l_kiaz;
    QLabel* l_db;
    QLabel* l_version;
    QPushButton* Button3;  // "Sorszámoz", shown by a click on l_version
    QMenu* torzsek;
    Tinifm* inifm;
    Tcegvalasztfm* cegvalasztfm;

    const ShellState& state() const { return m_state; }
    bool startupRan() const { return m_startupRan; }
    // The start-up has come to its end (completed or ended early).
    bool startupFinished() const { return m_startupFinished; }

    // The start-up sequence (run once, after the first show).
    void runStartup();
    // The company change; false when nothing was chosen.
    bool changeCompany();
    // "Adatbázis kiválasztása": the company change, and the rest of the
    // start-up when it could not run before.
    void menuChangeCompany();
    // The "Törzsek" menu from TABLAK.
    void buildMasterDataMenu();
    // "Sorszámoz".
    void renumber();
    // Runs a menu action; an error it does not handle is shown and abandons it.
    void runMenuAction(const std::function<void()>& action);

Q_SIGNALS:
    // The company database changed: windows built for the old one rebuild
    // themselves on their next show.
    void companyChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLabels();
    void finishStartup(StartupEnd end);
    StartupWindows startupWindows();

    QStringList m_arguments;
    ShellState m_state;
    bool m_startupRan = false;
    bool m_startupFinished = false;
    bool m_settingsRead = false;  // the end of the run writes back only what was read
    bool m_ended = false;
};

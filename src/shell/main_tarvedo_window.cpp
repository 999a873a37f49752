#include "main_tarvedo_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "db/altproc.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "masterdata/lookup_window.h"
#include "masterdata/torzs_window.h"
#include "shell/cegvalaszt_window.h"
#include "shell/ini_window.h"
#include "shell/main_menu_window.h"
#include "shell/msg_window.h"
#include "shell/Password_window.h"
#include "shell/renumber.h"
#include "yearend/takarit.h"

Tmain_tarvedofm::Tmain_tarvedofm(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), m_arguments(arguments) {
    setObjectName(QStringLiteral("main_tarvedofm"));
    setWindowTitle(QStringLiteral("Főkönyvi könyvelés"));
    ResetAppValues();  // the values of the run start empty
    inifm = new Tinifm(this);  // empties the settings store
    inifm->hide();
    cegvalasztfm = new Tcegvalasztfm(this);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1 = panel;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    QFont bold = Panel1->font();
    bold.setBold(true);
    Panel1->setFont(bold);
    l_kiaz = new QLabel(Panel1);
    l_kiaz->setObjectName(QStringLiteral("l_kiaz"));
    l_db = new QLabel(Panel1);
    l_db->setObjectName(QStringLiteral("l_db"));
    l_version = new QLabel(Panel1);
    l_version->setObjectName(QStringLiteral("l_version"));
    l_version->setAlignment(Qt::AlignRight | Qt::AlignTop);
    l_version->installEventFilter(this);
    auto* names = new QVBoxLayout;
    names->addWidget(l_kiaz);
    names->addWidget(l_db);
    auto* top = new QHBoxLayout(Panel1);
    top->addLayout(names, 1);
    top->addWidget(l_version, 0, Qt::AlignTop);

    Button3 = new QPushButton(QStringLiteral("Sorszámoz"));
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->hide();
    connect(Button3, &QPushButton::clicked, this, [this] { runMenuAction([this] { renumber(); }); });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button3);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);
    setCentralWidget(central);

    BuildMainMenu(*this);
    torzsek = menuBar()->findChild<QMenu*>(QStringLiteral("torzsek"));
}

Tmain_tarvedofm::~Tmain_tarvedofm() = default;

void Tmain_tarvedofm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_startupRan) {
        m_startupRan = true;
        QTimer::singleShot(0, this, &Tmain_tarvedofm::runStartup);
    }
}

StartupWindows Tmain_tarvedofm::startupWindows() {
    return {[this] { return changeCompany(); },
            [this] {
                showLabels();  // the company the user logs into
                return Login(false, true);
            }};
}

void Tmain_tarvedofm::runStartup() {
    m_startupRan = true;
    SetAppConventions();
    l_version->setText(VersionText());
    setWindowTitle(MainCaption());
    ReadStartupSettings(m_state);
    m_settingsRead = true;
    showLabels();

    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        setWindowState(Qt::WindowNoState);
        setGeometry(available.x(), available.y(), available.width(), available.height() - 40);
    }

    StartupEnd end = StartupEnd::SystemDbUnreachable;
    runMenuAction([&] { end = RunStartup(m_state, m_arguments, startupWindows()); });
    m_startupFinished = true;
    finishStartup(end);
}

void Tmain_tarvedofm::finishStartup(StartupEnd end) {
    showLabels();
    switch (end) {
        case StartupEnd::Completed: runMenuAction([this] { buildMasterDataMenu(); }); break;
        case StartupEnd::Close:
        case StartupEnd::LoginRefused: close(); break;
        case StartupEnd::SystemDbUnreachable:
        case StartupEnd::CompanyDbUnreachable: break;  // the window stays with its menu
    }
}

void Tmain_tarvedofm::showLabels() {
    l_kiaz->setText(m_state.kiaz);
    l_db->setText(Td().DbServer);
}

bool Tmain_tarvedofm::changeCompany() {
    if (!cegvalasztfm->choose()) return false;
    const CompanyChoice choice = cegvalasztfm->chosen();
    // Before the start-up's login the choice is simply taken: the login
    // follows. Later the chosen company's own login decides.
    if (m_state.startupDone) {
        const CompanySwitch result = SwitchCompany(m_state, choice, m_arguments, [this, &choice] {
            // The company and database logged into.
            l_kiaz->setText(choice.nev + QStringLiteral(" * ") + choice.aktualisev);
            l_db->setText(choice.dbserver);
            return Login(false, true);
        });
        showLabels();
        if (result == CompanySwitch::LoginRefused) return false;
        if (result == CompanySwitch::Unreachable && m_state.startupDone) return false;
    } else {
        ApplyCompanyChoice(m_state, choice);
    }
    // Master-data windows built for the old database are built again.
    for (QAction* item : torzsek->actions()) {
        const QString name = item->objectName();
        delete FindTorzsWindow(name + QLatin1Char('_') + name + QStringLiteral("_Torzsfm"));
    }
    // A switch that ended on no company leaves no master-data menu either.
    if (!m_state.startupDone && !IsConnected(d_tarvedo)) torzsek->clear();
    Q_EMIT companyChanged();
    showLabels();
    return true;
}

void Tmain_tarvedofm::menuChangeCompany() {
    if (!changeCompany() || m_state.startupDone || !IsConnected(d_tarvedo)) return;
    StartupEnd end = StartupEnd::CompanyDbUnreachable;
    runMenuAction([&] { end = ContinueStartup(m_state, m_arguments, startupWindows()); });
    finishStartup(end);
}

void Tmain_tarvedofm::buildMasterDataMenu() {
    torzsek->clear();
    const QList<MasterTableItem> tables = ReadMasterTables();
    for (const MasterTableItem& table : tables) {
        auto* item = new QAction(table.megnevezes, torzsek);
        item->setObjectName(table.tablanev);
        const QString name = table.tablanev;
        connect(item, &QAction::triggered, this, [this, name] {
            runMenuAction([&] {
                ASelectedRecord record;
                TablaValaszt(name, QString(), QString(), nullptr, record, false, false, true);
            });
        });
        const QList<QAction*> present = torzsek->actions();
        torzsek->insertAction(present.isEmpty() ? nullptr : present.first(), item);
    }
}

void Tmain_tarvedofm::renumber() {
    if (AskDialog(RenumberQuestion, 0) != 0) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int rows = -1;
    try {
        rows = RenumberItems();
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    if (rows < 0) return;
    ShowMessage(QStringLiteral("Kész!"));
    Button3->hide();
}

void Tmain_tarvedofm::runMenuAction(const std::function<void()>& action) {
    try {
        action();
    } catch (const DbError& error) {
        ShowMessage(error.message());
    } catch (const HelperError& error) {
        ShowMessage(error.message());
    } catch (const std::exception& error) {
        ShowMessage(QString::fromUtf8(error.what()));
    }
}

bool Tmain_tarvedofm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == l_version && event->type() == QEvent::MouseButtonPress) Button3->setVisible(!Button3->isVisible());
    return QMainWindow::eventFilter(watched, event);
}

void Tmain_tarvedofm::closeEvent(QCloseEvent* event) {
    if (!m_ended && m_settingsRead) {
        m_ended = true;
        if (!WriteBackSettings(m_state))
            ShowMessage(QStringLiteral("A %1 nem írható.").arg(SettingsFileName));
        SilentTmpCleanup(this);  // the run's temporary tables
    }
    event->accept();
}

#pragma once
// The main menu as one table: every item's name, caption and action. An
// item without an action belongs to a window not built yet: it is shown
// disabled. A later window is wired by giving its item an action here.
#include <QList>
#include <QString>
#include <functional>

class QAction;
class Tmain_tarvedofm;

struct MainMenuItem {
    QString parent;   // the submenu's name; empty: on the menu bar itself
    QString name;     // objectName of the item
    QString caption;  // "-" is a separator
    bool submenu = false;
    bool yearCheck = false;  // the closed-year check runs before the action
    std::function<void(Tmain_tarvedofm& main, QAction* item)> action;
};

const QList<MainMenuItem>& MainMenuItems();

// Builds the menu bar of the main window from the table.
void BuildMainMenu(Tmain_tarvedofm& main);

// The caption of a window opened from the item (MenuNev of its caption).
QString MenuNev(const QAction* item);

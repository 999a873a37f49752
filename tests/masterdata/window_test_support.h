#pragma once
// Driving the master-data editor offscreen: acting on it once it is shown
// modally, pressing its buttons and reading what it shows.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

#include "masterdata/lookup_window.h"
#include "masterdata/torzs_window.h"

// Runs `act` on the window of that class that is about to be shown
// modally; a window the act leaves open is closed afterwards so that the
// test goes on.
template <typename Window>
inline void WhenShown(std::function<void(Window&)> act) {
    QTimer::singleShot(0, [act] {
        auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!w) {
            ADD_FAILURE() << "no " << Window::staticMetaObject.className() << " window is shown";
            return;
        }
        act(*w);
        if (w->isVisible()) w->done(0);
    });
}

// The master-data editor, shown for maintenance or selection.
inline void WhenEditorShown(std::function<void(TTorzsfm&)> act) { WhenShown<TTorzsfm>(std::move(act)); }

template <typename T>
T* Child(QWidget& w, const QString& name) {
    T* child = w.findChild<T*>(name);
    if (!child) ADD_FAILURE() << "no control " << name.toStdString();
    return child;
}

inline void Type(TTorzsfm& w, const QString& edit, const QString& text) {
    if (auto* e = Child<QLineEdit>(*w.dataPanel, edit)) e->setText(text);
}
inline QString Shown(TTorzsfm& w, const QString& name) {
    if (auto* e = w.dataPanel->findChild<QLineEdit*>(name)) return e->text();
    if (auto* l = w.dataPanel->findChild<QLabel*>(name)) return l->text();
    ADD_FAILURE() << "no control " << name.toStdString();
    return {};
}
inline void Press(QToolButton* button) {
    ASSERT_TRUE(button->isEnabled() && !button->isHidden()) << button->objectName().toStdString();
    button->click();
}

// Opens a table for maintenance (or selection) and acts on the editor.
inline bool OpenTable(const QString& choice, std::function<void(TTorzsfm&)> act, bool selection = false,
                      ASelectedRecord* chosen = nullptr, const QString& filter = {}, const QString& locate = {}) {
    ASelectedRecord own;
    WhenEditorShown(std::move(act));
    return TablaValaszt(choice, filter, locate, nullptr, chosen ? *chosen : own, false, selection, true);
}

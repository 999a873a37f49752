#pragma once
// The widgets of a generated data panel, made from its panel model, and the
// panel's own behaviour: Enter, Down and Up move between the controls, typed
// characters follow the column's type and letter case, leaving an edit runs
// its check, and the small buttons do their work (value letters, date, text
// file, memo editor, extra window, lookups).
#include <QObject>
#include <QPushButton>
#include <functional>

#include "masterdata/panel_model.h"

class QWidget;
class QLineEdit;

// The button class of generated panels: a push button with the fields the
// builder fills and the button actions read.
class TParaButton : public QPushButton, public TParaButtonFields {
    Q_OBJECT
public:
    explicit TParaButton(QWidget* parent = nullptr) : QPushButton(parent) {}
    ButtonAction action = ButtonAction::None;
    bool writable = true;  // the write right of its control row
};

class GeneratedPanel : public QObject {
    Q_OBJECT
public:
    // `panel` receives the controls; it lives as long as this object.
    explicit GeneratedPanel(QWidget* panel);

    QWidget* panel() const { return m_panel; }
    // Destroys the panel's controls and makes those of the model.
    void build(const PanelModel& model);
    // Edits are read-only while browsing; buttons work only while editing,
    // except those that only show something ("+", "Text", "Karton", "Kép").
    void setState(const QString& state);
    // Memos reach to the panel's right edge.
    void stretchMemos();

    // Whether the editor that holds the panel is entering a new record.
    std::function<bool()> isInserting;
    // After a lookup whose KEYNUM is 201 wrote its value.
    std::function<void()> lookupCompleted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leaveEdit(QLineEdit* edit, QWidget* next);
    void buttonClicked(TParaButton* button);
    QWidget* control(const QString& name) const;
    void focusIfPossible(QWidget* w);

    QWidget* m_panel;
};

// Moves the focus to the next (or previous) control that can take it.
void MoveFocus(QWidget* from, bool forward);

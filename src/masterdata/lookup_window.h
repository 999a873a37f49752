#pragma once
// Opening a master table for maintenance or for choosing a row, and the
// lookup buttons of generated panels.
//
// One editor window exists per table and control set, named
// TABLE_MODUL_Torzsfm; it is made on first use and keeps its panel, sort
// order, search settings and rows for the later calls.
#include <QString>

#include "masterdata/lookup.h"

class TTorzsfm;
class TParaButton;
class GeneratedPanel;

// tableText: "TABLE", "TABLE,MODUL" or "TABLE+NAME" (any case).
// filter: an SQL condition, "WHERE " put in front when it has none.
// locate: the text the editor searches for first ("musz_reopen" also reads
// the rows again). window: an editor to use, or none. record: the chosen row
// (replaced on success). descending: the info labels' order. selection:
// choose a row (true) or maintain the table. editable: the caller allows
// changes (the user's rights decide too). defaultField, defaultValue: for the
// new-record extension point. True when the user chose a row or cleared the
// selection.
bool TablaValaszt(const QString& tableText, const QString& filter, const QString& locate, TTorzsfm* window,
                  ASelectedRecord& record, bool descending = false, bool selection = true, bool editable = true,
                  const QString& defaultField = {}, const QString& defaultValue = {});

// The "?" button of a generated panel: choose a value into its field.
void Szot(TParaButton* button, GeneratedPanel* panel);
// The "+" button: open the other table positioned on the field's value.
void Valt(TParaButton* button, GeneratedPanel* panel);

// The editor window of that name, or nullptr.
TTorzsfm* FindTorzsWindow(const QString& name);
// Destroys every editor window (another database was opened).
void DestroyTorzsWindows();

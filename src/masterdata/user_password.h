#pragma once
// The password of a user in the users' table (SZ_JUZER): the panel gets two
// edits for a new password, never bound to JELSZO, so the stored hash is
// never shown. A password typed twice alike is stored as its hash; left
// empty, the stored one stays (a new user without one sets it at login).
#include <QString>

#include "masterdata/panel_model.h"
#include "masterdata/panel_values.h"

inline const QString UsersTable = QStringLiteral("SZ_JUZER");
inline const QString NewPasswordEdit = QStringLiteral("PW_UJJELSZO");
inline const QString NewPasswordAgainEdit = QStringLiteral("PW_UJJELSZO2");

// Appends the two password rows to the users' panel; other tables unchanged.
void AddUserPasswordFields(PanelModel& model);
// True when something is typed into either password edit.
bool UserPasswordTyped(const PanelValues& panel);
// The message when the two texts differ; empty when they agree.
QString UserPasswordError(const PanelValues& panel);
// Stores the hash of the typed password for the user `kod`, inside the
// caller's transaction; nothing when none is typed.
void StoreUserPassword(const QString& connection, const QString& kod, const PanelValues& panel);
// Empties both edits: a password is never shown again.
void ClearUserPasswordFields(PanelValues& panel);

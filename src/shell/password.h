#pragma once
// The login against SZ_JUZER and the change of a password. Passwords are
// kept as Argon2id hashes; a row still holding a plain password (written by
// an older workstation) is accepted once and then replaced by its hash.
#include <QString>

struct LoginCheck {
    QString error;   // the text of the error panel; empty when the login is accepted
    QString nev;     // trimmed NEV of the row (wusername)
    QString jogok;   // trimmed JOGOK (wjogok)
    QString kod;     // KOD, untrimmed
    // The row has no password yet (empty, or the hash of an empty one): the
    // user must set one before going on.
    bool mustSetPassword = false;
    bool ok() const { return error.isEmpty(); }
};

// Finds the rows of the name whose password matches: exactly as typed, or
// with both name and password compared in upper case. A single active row
// logs in; a legacy plain password of that row is then stored as a hash.
LoginCheck CheckLogin(const QString& name, const QString& password, bool caseSensitive);

// After an accepted login: the user's code for the rest of the run and the
// name remembered for the next start.
void AcceptLogin(const LoginCheck& login, const QString& typedName);

// "LASTUSER.INI" of the working directory, loaded into the settings store:
// true when it names the user of the last successful login.
bool LastUserName(QString& name);
bool WriteLastUser(const QString& typedName);

// The checks of the change mode, in their order; empty when they pass.
QString NewPasswordError(const QString& oldPassword, const QString& newPassword, const QString& newPassword2);
// Stores the new password's hash for the rows of the name whose password is
// `oldPassword`; returns the number of rows changed.
int ChangePassword(const QString& name, const QString& oldPassword, const QString& newPassword);

// Stores the hash of the first password of a user who logged in with an
// empty one; the checks are those of the change mode. Empty when stored,
// otherwise the error to show.
QString SetFirstPassword(const QString& kod, const QString& newPassword, const QString& newPassword2);

inline const QString LastUserFile = QStringLiteral("LASTUSER.INI");

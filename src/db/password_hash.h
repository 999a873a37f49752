#pragma once
// Passwords are never kept as plain text: SZ_JUZER.JELSZO holds a salted
// Argon2id hash string. Rows written by older workstations may still hold a
// plain password; such a row is accepted once and then replaced by its hash.
#include <QString>

QString HashPassword(const QString& password);
bool IsPasswordHash(const QString& stored);
// True when `password` matches `stored`, be it a hash or a legacy plain text.
bool PasswordMatches(const QString& password, const QString& stored);

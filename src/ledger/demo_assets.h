#pragma once
// The demo company's asset register: a few dozen machines, vehicles,
// computers, furniture and software of the last years, each with its
// commissioning movement on its card, a few of them sold or scrapped.
#include <QString>

// Writes the register into the company database open on `connection`, in
// one transaction; the asset numbers are taken from the counter "ESZKOZ" of
// `year`. Deterministic for a seed. Throws DbError.
int WriteDemoAssets(const QString& connection, int year, quint64 seed);

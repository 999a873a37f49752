#pragma once
// A ready working directory for the demo: TARVEDO.INI, the empty template,
// the system database with its registry row, and the demo company's
// database with a year of books and a demo user.
#include <QString>

#include "ledger/demo_company.h"

inline const QString DemoUserName = QStringLiteral("DEMO");
inline const QString DemoUserPassword = QStringLiteral("demo");

// Returns an empty text on success, else the Hungarian message; on failure
// nothing half-made is left behind.
QString CreateDemoWorkingDirectory(const QString& dir, const DemoOptions& options, const DemoProgress& progress = {});

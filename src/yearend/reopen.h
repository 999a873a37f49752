#pragma once
// Reopening a closed year: every company row of the open database becomes
// open for posting again; the registry of the system database stays.
#include <QString>

// Whether the open company year is closed (its NYITVA is not "I").
bool YearIsClosed();

// The business year of the open company record.
QString CompanyYear();

// When the next year's database is registered: its opening items must be
// recomputed after the changes (year closing, kind 1), in Hungarian; empty
// when there is no next year yet.
QString NextYearRecomputeNote();

void ReopenYear();

// The menu's "Lezárt év újranyitása": an open year is only told so; a closed
// one is reopened when the user says yes to the question, which names the
// year and the recompute of the next year's opening. True when reopened.
bool ReopenYearAsking();

#pragma once
// Reopening a closed year: every company row of the open database becomes
// open for posting again; the registry of the system database stays.
void ReopenYear();

#pragma once
// The work file now lives with the database services, which write settings
// and error files through it too.
#include "db/work_file.h"

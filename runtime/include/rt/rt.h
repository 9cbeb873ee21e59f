// Everything the service layer offers, in one include.
#pragma once

// Portable core
#include "rt/values.h"
#include "rt/fatal.h"
#include "rt/text.h"
#include "rt/numbers.h"
#include "rt/dates.h"
#include "rt/cmdline.h"
#include "rt/window_template.h"

#ifdef _WIN32
// Process and windows
#include "rt/program.h"
#include "rt/window.h"
#include "rt/dllcommand.h"
#include "rt/resources.h"
// System services
#include "rt/handles.h"
#include "rt/clock.h"
#include "rt/files.h"
#include "rt/registry.h"
#include "rt/shell.h"
#include "rt/shutdown.h"
#include "rt/net.h"
#include "rt/com.h"
#include "rt/threads.h"
#endif

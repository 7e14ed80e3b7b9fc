// Test harness: a temporary box root, scripted runs of windows through the
// stand-in toolkit, a loopback HTTP server, and small helpers to run
// programs and read the trace.
#ifndef UDOVOR_TESTS_SUPPORT_HARNESS_H
#define UDOVOR_TESTS_SUPPORT_HARNESS_H

#include "tests/support/boxroot.h"
#include "tests/support/httpserver.h"
#include "tests/support/process.h"
#include "tests/support/scriptedrun.h"
#include "tests/support/tracejson.h"

#endif

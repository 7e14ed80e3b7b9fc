// Writes one capture as an EPG data file. The file is written beside the
// target under a temporary name and renamed into place only when every
// write, the sync and the close succeeded, so a failure (a full disk, say)
// leaves the previous guide as it was.
#ifndef UDOVOR_CAPTURE_EPGWRITER_H
#define UDOVOR_CAPTURE_EPGWRITER_H

#include <functional>

#include "capture/capture_data.h"

// The name written before the rename.
#define EPG_TEMP_SUFFIX ".tmp"

// 0 when the file was written. -1 without a box when the capture saw no
// hour marker; -1 with the writer's own box for an empty name or a file
// that cannot be created; -1 after a console line when a write fails.
// progress(c) is told before the pass of each channel slot c. now: the
// box's time; events that ended by then are left out.
int WriteEpgFile(const CaptureData& cap, const char* fileName, long now,
                 const std::function<void(int)>& progress);

// Tests: writes fail as on a full disk once this many bytes were written
// (negative: never).
void SetEpgWriteFailureForTests(long afterBytes);

#endif

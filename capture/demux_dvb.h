// The kernel's DVB demux device behind a demux handle.
#ifndef UDOVOR_CAPTURE_DEMUX_DVB_H
#define UDOVOR_CAPTURE_DEMUX_DVB_H

#include <memory>

#include "capture/demux.h"

// Null when the device cannot be opened.
std::unique_ptr<DemuxSource> OpenDvbDemux(const char* path);

#endif

// The bare I/O each operation is measured against: what the operation
// cannot avoid doing, done with nothing else.
#ifndef UDOVOR_BENCH_BAREIO_H
#define UDOVOR_BENCH_BAREIO_H

#include <string>

// fgets reads of at most 999 bytes, as the readers take the EPG data file:
// all of them (reads < 0) or the first reads ones. The bytes read.
long BareFgets(const std::string& path, long reads = -1);

// read() of the whole file in blocks of the size the stream replay uses.
long BareRead(const std::string& path);

// One buffered write of the bytes to a new file; with sync, also the flush,
// fsync and rename into place that a safe writer adds. False on a failure.
bool BareWrite(const std::string& path, const std::string& bytes, bool sync);

std::string ReadWholeFile(const std::string& path);

#endif

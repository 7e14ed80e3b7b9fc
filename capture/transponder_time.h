// The provider's current local time, read from the broadcast's Time Offset
// Table on the demux device of the "dvbDevice" setting.
#ifndef UDOVOR_CAPTURE_TRANSPONDER_TIME_H
#define UDOVOR_CAPTURE_TRANSPONDER_TIME_H

// Returns the provider-local time value of now (broadcast UTC plus the
// signed local offset), -1 when the broadcast cannot be read, 0 when it
// carries no usable offset; on success also the time of change and the
// current and next offsets (clock correction included).
int GetTransponderTime(long* timeOfChange, int* currentOffset, int* nextOffset);

#endif

// One event of the programme listing or the time grid, as read from the EPG
// data file, kept for the details box and the recording dialogue.
#ifndef UDOVOR_VIEWER_EVENTRECORD_H
#define UDOVOR_VIEWER_EVENTRECORD_H

#include "host/elistbox.h"

#define EVENT_RECORDS 512       // records of one window
#define EVENT_TEXT_SIZE 1000    // at most 999 characters and the terminator

struct EventRecord {
    char title[EVENT_TEXT_SIZE];
    char theme[EVENT_TEXT_SIZE];
    int duration;  // minutes
    char summary[EVENT_TEXT_SIZE];
    int start;     // provider-local time value
    eListBoxEntryText* entry;  // the row showing it (listing only); owned by the list
};

// Empty texts, zero numbers, no row.
void ClearEventRecord(EventRecord& r);

#endif

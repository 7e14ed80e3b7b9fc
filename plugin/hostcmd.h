// Commands to the host's web interface ("saveTimerList", "reloadTimerList"):
// one HTTP/1.0 GET of /cgi-bin/<command> to localhost, sent from a worker
// thread of its own, the answer echoed to the console and not examined.
#ifndef UDOVOR_PLUGIN_HOSTCMD_H
#define UDOVOR_PLUGIN_HOSTCMD_H

#include <cstddef>

#define HOST_COMMAND_SIZE 1000  // at most 999 characters and the terminator
#define HOST_REQUEST_SIZE 1000
#define HOST_NAME "localhost"

// The argument of one worker.
struct HostCommandRecord {
    char command[HOST_COMMAND_SIZE];
    unsigned char done;  // 0 while the worker runs, 1 when it has finished
    int port;            // of the web interface; 0: BoxWebPort() when the worker starts
    unsigned long order; // 0, or the place of a started command: it is sent only
                         // after the one before it was sent or given up
};

// "GET /cgi-bin/<command> HTTP/1.0\n\n" into out, cut to fit; its length.
size_t BuildHostRequest(const char* command, char* out, size_t size);

// The body of a worker: sends the record's command and echoes the answer.
// It never waits longer than the connect and receive bounds below, and on
// any failure prints one line and ends. The record stays the caller's.
// Returns null.
void* SendTCPCommand(void* record);

// Starts a detached worker with a record of its own (released by the
// worker) for the command, to the web port as it is now. Commands reach
// the host in the order they were started: a reload never overtakes the
// save of the same session. Returns at once; false, after a console line, when no thread
// could be started. The caller does not wait for it.
bool StartHostCommand(const char* command);

// Bounds of a worker, in milliseconds: connecting, and the whole answer.
void SetHostCommandTimeouts(int connectMs, int receiveMs);

#endif

// Where the plug-in meets the box: every file and device it opens and every
// reading of the clock go through here. On the box nothing is configured and
// paths and time are used as they are; a stand-in host or a test may set a
// box root (absolute paths are taken inside it), the web interface port and
// the box clock with udovor_sim_setup before it calls plugin_exec.
#ifndef UDOVOR_PLUGIN_BOXENV_H
#define UDOVOR_PLUGIN_BOXENV_H

#include <cstdio>
#include <ctime>
#include <string>

extern "C" {
// root: null or empty for none. webPort: 0 keeps 80. clock: Unix seconds the
// box clock reads now, or a negative value for the real clock.
void udovor_sim_setup(const char* root, int webPort, long long clock);
}

// The path as the plug-in opens it (inside the box root when one is set).
std::string BoxPath(const char* path);
FILE* BoxFopen(const char* path, const char* mode);
int BoxOpen(const char* path, int flags, int mode = 0);
int BoxRename(const char* from, const char* to);
int BoxUnlink(const char* path);

// The box's time(): the real clock, or the stand-in's clock running on from
// the moment it was set.
time_t BoxTime();

// Port of the host's web interface (80 on the box).
int BoxWebPort();

#endif

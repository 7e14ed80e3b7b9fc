// The plug-in's one entry point: one call is one viewing session.
#ifndef UDOVOR_PLUGIN_SESSION_H
#define UDOVOR_PLUGIN_SESSION_H

extern "C" {
// The host passes an argument that the plug-in does not read. Returns 0.
__attribute__((visibility("default"))) int plugin_exec(void* unused);
}

#endif

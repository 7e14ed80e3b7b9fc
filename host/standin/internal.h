// What the stand-in toolkit's parts share among themselves and show to no
// one else: window numbering, the list of shown windows, the modal run's
// key supply and the key dispatch.
#ifndef UDOVOR_HOST_STANDIN_INTERNAL_H
#define UDOVOR_HOST_STANDIN_INTERNAL_H

#include "host/standin/runtime.h"

class eWidget;
class eWindow;

namespace boxtk {
namespace detail {

int nextWindowId();
void addShown(eWindow* w);
void removeShown(eWindow* w);

// The next key for a modal run: a scripted or typed key, or, once the keys
// have run out, an automatic exit (counted, and the limit enforced).
KeyPress nextKey();

// Hands a taken key to the window whose modal run is innermost.
void dispatchKey(eWindow* w, const KeyPress& key);

// The window a widget belongs to, or null when it has none yet.
int windowIdOf(eWidget* w);
bool windowShown(eWidget* w);

}  // namespace detail
}  // namespace boxtk

#endif

// The controls as every window of the plug-in builds them.
#ifndef UDOVOR_PLUGIN_CONTROLS_H
#define UDOVOR_PLUGIN_CONTROLS_H

#include "host/gui.h"

// The window's list of text entries at (10, 10), sized W - 20 by H - 60 of
// the client area, decoration loaded.
eListBox<eListBoxEntryText>* MakeWindowList(eWindow* parent);

// A button bound to a colour key ("red", "green", "yellow", "blue") as its
// shortcut and picture, decoration loaded, with its caption.
eButton* MakeColourButton(eWindow* parent, ePoint pos, eSize size, const char* colour, const char* caption);

#endif

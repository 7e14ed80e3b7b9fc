// A stand-in plug-in that never stops opening message boxes: boxsim must
// give up on it.
#include "host/gui.h"

extern "C" int plugin_exec(void*)
{
    for (;;) {
        eMessageBox box("again", "loop", 33, 1, 0);
        box.show();
        box.exec();
        box.hide();
    }
    return 0;
}

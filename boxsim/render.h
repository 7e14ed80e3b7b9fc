// Draws what the stand-in toolkit has on screen into a canvas: every shown
// window at its place with its title bar, lists, buttons and labels,
// message boxes centred, and the key help on the last row.
#ifndef UDOVOR_BOXSIM_RENDER_H
#define UDOVOR_BOXSIM_RENDER_H

#include <map>
#include <vector>

#include "boxsim/canvas.h"
#include "boxsim/layout.h"

class eListBoxBase;
class eMessageBox;
class eWidget;
class eWindow;

namespace boxsim {

// The help shown on the last row.
extern const char kKeyHelp[];

class Renderer {
public:
    // Draws the windows, bottom first, onto the whole canvas (the terminal).
    void draw(Canvas& canvas, const std::vector<eWindow*>& windows);

private:
    void drawWindow(Canvas& c, const Scale& s, eWindow* w);
    void drawChildren(Canvas& c, const Scale& s, eWindow* w, const eWidget* parent, int px, int py);
    void drawList(Canvas& c, const Scale& s, const eListBoxBase* list, int x, int y);
    void drawMessageBox(Canvas& c, const Scale& s, const eMessageBox* box);

    // The first row each list shows; kept from frame to frame so that a
    // list scrolls only as far as its cursor needs.
    std::map<const eListBoxBase*, int> tops_;
    std::map<const eListBoxBase*, int> seen_;
};

}  // namespace boxsim

#endif

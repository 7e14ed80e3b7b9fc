// A push button, optionally bound to a colour key of the remote control.
#ifndef UDOVOR_HOST_EBUTTON_H
#define UDOVOR_HOST_EBUTTON_H

#include <sigc++/sigc++.h>

#include "host/elabel.h"

class eButton : public eLabel {
public:
    eButton(eWidget* parent, eLabel* descr = nullptr, int takefocus = 1, const char* deco = "eButton");
    // "red", "green", "yellow" or "blue".
    void setShortcut(const eString& colour);
    void setShortcutPixmap(const eString& colour);
    void loadDeco();
    const eString& getShortcut() const { return shortcut_; }
    const char* widgetType() const override { return "button"; }

    sigc::signal<void> selected;  // emitted when the button is pressed

private:
    eString shortcut_;
    eString pixmap_;
};

#endif

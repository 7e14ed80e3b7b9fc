// A line of text inside a window.
#ifndef UDOVOR_HOST_ELABEL_H
#define UDOVOR_HOST_ELABEL_H

#include "host/ewidget.h"

class eLabel : public eWidget {
public:
    eLabel(eWidget* parent, int flags = 0, int takefocus = 0, const char* deco = "eLabel");
    void setText(const eString& text) override;
    const char* widgetType() const override { return "label"; }
    int getFlags() const { return flags_; }

private:
    int flags_;
};

#endif

// A modal message box with a caption, a text and OK / Yes / No buttons.
#ifndef UDOVOR_HOST_EMESSAGEBOX_H
#define UDOVOR_HOST_EMESSAGEBOX_H

#include "host/ewindow.h"

class eMessageBox : public eWindow {
public:
    enum {
        btOK = 1,
        btYes = 4,
        btNo = 8,
        iconInfo = 16,
        iconWarning = 32,
    };
    // exec() returns the bit of the button pressed, -1 when left with Exit.
    eMessageBox(const eString& message, const eString& caption, int flags = btOK, int def = btOK,
                int timeout = 0);
    ~eMessageBox() override;

    void show() override;
    bool isMessageBox() const override { return true; }

    const eString& getMessage() const { return message_; }
    const eString& getCaption() const { return caption_; }
    int getFlags() const { return flags_; }
    int getDefault() const { return def_; }
    int getTimeout() const { return timeout_; }
    // Index into the button bits present (OK, Yes, No in that order).
    int focusedButton = 0;

private:
    eString message_;
    eString caption_;
    int flags_;
    int def_;
    int timeout_;
};

#endif

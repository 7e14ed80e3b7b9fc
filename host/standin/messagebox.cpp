// Message boxes: shown as one `box` event, run modally like any window; the
// key dispatch moves the focus among their buttons.
#include "host/emessagebox.h"

#include "host/standin/internal.h"

eMessageBox::eMessageBox(const eString& message, const eString& caption, int flags, int def, int timeout)
    : eWindow(0), message_(message), caption_(caption), flags_(flags), def_(def), timeout_(timeout)
{
    text_ = caption;
    const int order[] = {btOK, btYes, btNo};
    int index = 0;
    for (int bit : order) {
        if (!(flags & bit))
            continue;
        if (bit == def) {
            focusedButton = index;
            break;
        }
        ++index;
    }
}

eMessageBox::~eMessageBox() = default;

void eMessageBox::show()
{
    visible_ = true;
    boxtk::detail::addShown(this);
    boxtk::Event e;
    e.ev = "box";
    e.win = winId_;
    e.caption = caption_;
    e.text = message_;
    e.flags = flags_;
    boxtk::emit(e);
}

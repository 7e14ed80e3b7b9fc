// Where a key goes. A message box moves its focus among its buttons (OK,
// Yes, No, no wrap) and returns the pressed button's bit, -1 on exit. Any
// other window hands the cursor keys and OK to its focused list, a colour
// key to its button of that colour, raw keys to keyDown, and closes as by
// reject on exit.
#include <string>

#include "host/ebutton.h"
#include "host/elistbox.h"
#include "host/emessagebox.h"
#include "host/ewindow.h"
#include "host/standin/internal.h"

namespace {

int buttonBits(const eMessageBox* box, int bits[3])
{
    const int order[] = {eMessageBox::btOK, eMessageBox::btYes, eMessageBox::btNo};
    int n = 0;
    for (int bit : order)
        if (box->getFlags() & bit)
            bits[n++] = bit;
    return n;
}

void boxKey(eMessageBox* box, const boxtk::KeyPress& key)
{
    int bits[3];
    const int n = buttonBits(box, bits);
    const std::string& k = key.name;
    if (key.raw)
        return;
    if (k == "exit") {
        box->close(-1);
    } else if (k == "left" || k == "up") {
        if (box->focusedButton > 0)
            --box->focusedButton;
    } else if (k == "right" || k == "down") {
        if (box->focusedButton < n - 1)
            ++box->focusedButton;
    } else if (k == "ok") {
        if (box->focusedButton >= 0 && box->focusedButton < n)
            box->close(bits[box->focusedButton]);
    }
}

eButton* buttonOfColour(eWidget* w, const std::string& colour)
{
    for (eWidget* c : w->getChildren()) {
        if (eButton* b = dynamic_cast<eButton*>(c))
            if (b->getShortcut() == colour)
                return b;
        if (eButton* b = buttonOfColour(c, colour))
            return b;
    }
    return nullptr;
}

eListBoxBase* firstList(eWidget* w)
{
    for (eWidget* c : w->getChildren()) {
        if (eListBoxBase* l = dynamic_cast<eListBoxBase*>(c))
            return l;
        if (eListBoxBase* l = firstList(c))
            return l;
    }
    return nullptr;
}

// The focused list; a window that never set a focus has its first list.
eListBoxBase* focusedList(eWindow* w)
{
    if (eWidget* f = w->getFocus())
        return dynamic_cast<eListBoxBase*>(f);
    return firstList(w);
}

void windowKey(eWindow* w, const boxtk::KeyPress& key)
{
    const std::string& k = key.name;
    if (key.raw) {
        w->keyDown(key.code);
        return;
    }
    if (k == "exit") {
        w->reject();
        return;
    }
    if (k == "red" || k == "green" || k == "yellow" || k == "blue") {
        if (eButton* b = buttonOfColour(w, k))
            b->selected.emit();
        return;
    }
    if (k == "ok") {
        if (eButton* b = dynamic_cast<eButton*>(w->getFocus())) {
            b->selected.emit();
            return;
        }
    }
    eListBoxBase* list = focusedList(w);
    if (!list)
        return;
    if (k == "up")
        list->moveCursor(-1);
    else if (k == "down")
        list->moveCursor(1);
    else if (k == "left")
        list->moveCursor(-list->pageRows());
    else if (k == "right")
        list->moveCursor(list->pageRows());
    else if (k == "ok")
        list->selectCurrent();
}

}  // namespace

namespace boxtk {
namespace detail {

void dispatchKey(eWindow* w, const KeyPress& key)
{
    if (w->isMessageBox())
        boxKey(static_cast<eMessageBox*>(w), key);
    else
        windowKey(w, key);
}

}  // namespace detail
}  // namespace boxtk

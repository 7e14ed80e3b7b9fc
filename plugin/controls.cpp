#include "plugin/controls.h"

eListBox<eListBoxEntryText>* MakeWindowList(eWindow* parent)
{
    const eSize client = parent->getClientSize();
    auto* list =
        new eListBox<eListBoxEntryText>(parent, nullptr, 1, eListBoxEntryText::getEntryHeight(), "eListBox");
    list->move(ePoint(10, 10));
    list->resize(eSize(client.width() - 20, client.height() - 60));
    list->loadDeco();
    return list;
}

eButton* MakeColourButton(eWindow* parent, ePoint pos, eSize size, const char* colour, const char* caption)
{
    eButton* b = new eButton(parent, nullptr, 1, "eButton");
    b->move(pos);
    b->resize(size);
    b->setShortcut(colour);
    b->setShortcutPixmap(colour);
    b->loadDeco();
    b->setText(caption);
    return b;
}

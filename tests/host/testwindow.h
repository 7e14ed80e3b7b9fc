// A small window as the plug-in builds them: a focused list, colour
// buttons, a label, and handlers that record what reached them.
#ifndef UDOVOR_TESTS_HOST_TESTWINDOW_H
#define UDOVOR_TESTS_HOST_TESTWINDOW_H

#include <string>
#include <vector>

#include "host/gui.h"

class TestWindow : public eWindow {
public:
    explicit TestWindow(int entries, int listHeight = 100) : eWindow(1)
    {
        cmove(ePoint(50, 60));
        cresize(eSize(400, 300));
        setText("Test window");
        list = new eListBox<eListBoxEntryText>(this, nullptr, 1, eListBoxEntryText::getEntryHeight(), "eListBox");
        list->move(ePoint(10, 10));
        list->resize(eSize(380, listHeight));
        list->loadDeco();
        setFocus(list);
        for (int i = 0; i < entries; ++i)
            new eListBoxEntryText(list, ("row " + std::to_string(i)).c_str(), 100 + i);
        list->selected.connect(SigC::slot(*this, &TestWindow::onSelected));
        list->selchanged.connect(SigC::slot(*this, &TestWindow::onMoved));

        red = new eButton(this, nullptr, 1, "eButton");
        red->setText("Exit");
        red->setShortcut("red");
        red->setShortcutPixmap("red");
        red->move(ePoint(10, 230));
        red->resize(eSize(100, 30));
        red->selected.connect(SigC::slot(*this, &eWindow::reject));

        green = new eButton(this, nullptr, 1, "eButton");
        green->setText("Go");
        green->setShortcut("green");
        green->move(ePoint(120, 230));
        green->resize(eSize(100, 30));
        green->selected.connect(SigC::slot(*this, &TestWindow::onGreen));

        label = new eLabel(this, 0, 0, "eLabel");
        label->move(ePoint(10, 200));
        label->resize(eSize(300, 20));
        label->setText("status");
    }

    void keyDown(int key) override { keysDown.push_back(key); }
    void onSelected(eListBoxEntryText* e) { selectedKeys.push_back(e ? e->getKey() : -999); }
    void onMoved(eListBoxEntryText* e) { movedKeys.push_back(e ? e->getKey() : -999); }
    void onGreen() { ++greenPresses; }

    eListBox<eListBoxEntryText>* list;
    eButton* red;
    eButton* green;
    eLabel* label;
    std::vector<long> selectedKeys;
    std::vector<long> movedKeys;
    std::vector<int> keysDown;
    int greenPresses = 0;
};

#endif

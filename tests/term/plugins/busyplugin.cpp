// A stand-in plug-in for the terminal screen's tests: its green button
// keeps the GUI thread busy, as a capture does, changing its status label
// in steps; each step waits until the test creates a file in the box root.
// Only a screen that redraws from the toolkit's events shows the steps.
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "host/gui.h"
#include "plugin/boxenv.h"

namespace {

bool waitForFile(const char* boxPath)
{
    const std::string path = BoxPath(boxPath);
    for (int i = 0; i < 1000; ++i) {  // 20 s at most
        if (access(path.c_str(), F_OK) == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

class BusyWindow : public eWindow {
public:
    BusyWindow() : eWindow(1)
    {
        cmove(ePoint(100, 100));
        cresize(eSize(500, 200));
        setText("Busy test caff\xe8");
        status = new eLabel(this, 0, 0, "eLabel");
        status->move(ePoint(10, 20));
        status->resize(eSize(450, 50));
        status->setText("Press Go!");
        auto* go = new eButton(this, nullptr, 1, "eButton");
        go->setText("Go!");
        go->setShortcut("green");
        go->move(ePoint(10, 120));
        go->resize(eSize(100, 30));
        go->selected.connect(SigC::slot(*this, &BusyWindow::work));
    }

    void work()
    {
        status->setText("Step one of the work");
        if (!waitForFile("/step1"))
            return;
        status->setText("Step two of the work");
        if (!waitForFile("/step2"))
            return;
        status->setText("Work done");
    }

    eLabel* status;
};

}  // namespace

extern "C" int plugin_exec(void*)
{
    BusyWindow w;
    w.show();
    w.exec();
    w.hide();
    return 0;
}

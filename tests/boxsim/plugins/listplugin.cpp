// A stand-in plug-in for boxsim's own tests: a window with a list and two
// colour buttons, a message box on OK, the box root and clock written to a
// file, console lines, and a host command sent after plugin_exec returned.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "host/gui.h"
#include "plugin/boxenv.h"

namespace {

void sendCommandLater()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<unsigned short>(BoxWebPort()));
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
        const char req[] = "GET /cgi-bin/testCommand HTTP/1.0\n\n";
        if (write(fd, req, sizeof req - 1) > 0) {
            char c;
            while (read(fd, &c, 1) == 1)
                putchar(c);
        }
    }
    close(fd);
}

class ListWindow : public eWindow {
public:
    ListWindow() : eWindow(1)
    {
        cmove(ePoint(100, 80));
        cresize(eSize(500, 400));
        setText("Test list");
        list = new eListBox<eListBoxEntryText>(this, nullptr, 1, eListBoxEntryText::getEntryHeight(), "eListBox");
        list->move(ePoint(10, 10));
        list->resize(eSize(480, 340));
        list->loadDeco();
        setFocus(list);
        new eListBoxEntryText(list, "first", 11);
        new eListBoxEntryText(list, "caff\xe8 \"quoted\"", 12);
        new eListBoxEntryText(list, "third", 13);
        list->selected.connect(SigC::slot(*this, &ListWindow::onOk));
        auto* red = new eButton(this, nullptr, 1, "eButton");
        red->setText("Exit");
        red->setShortcut("red");
        red->move(ePoint(10, 360));
        red->resize(eSize(150, 30));
        red->selected.connect(SigC::slot(*this, &eWindow::reject));
    }
    void onOk(eListBoxEntryText* e)
    {
        eMessageBox box(e ? e->getText() : "none", "chosen", 28, 1, 0);
        box.show();
        const int r = box.exec();
        box.hide();
        setText(r == eMessageBox::btYes ? "Test list: yes" : "Test list: no");
    }
    eListBox<eListBoxEntryText>* list;
};

}  // namespace

extern "C" int plugin_exec(void*)
{
    printf("test plug-in starts\n");
    fflush(stdout);
    if (FILE* f = BoxFopen("/var/out.txt", "w")) {
        fprintf(f, "%lld\n", static_cast<long long>(BoxTime()));
        fclose(f);
    }
    {
        ListWindow w;
        w.show();
        w.exec();
        w.hide();
    }
    std::thread(sendCommandLater).detach();
    return 0;
}

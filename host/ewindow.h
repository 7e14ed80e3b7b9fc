// A top-level window with a title bar, run modally with exec().
#ifndef UDOVOR_HOST_EWINDOW_H
#define UDOVOR_HOST_EWINDOW_H

#include "host/ewidget.h"

class eWindow : public eWidget {
public:
    explicit eWindow(int flag = 0);
    ~eWindow() override;

    // Client area position (screen pixels) and size.
    void cmove(ePoint p);
    void cresize(eSize s);
    eSize getClientSize() const { return size_; }
    ePoint getClientPosition() const { return pos_; }

    void setText(const eString& title) override;  // the title
    void show() override;
    void hide() override;

    // Modal run: returns the code given to close().
    int exec();
    void close(int code);
    void accept() { close(0); }
    void reject() { close(1); }
    bool isRunning() const { return running_; }

    void setFocus(eWidget* w) { focus_ = w; }
    eWidget* getFocus() const { return focus_; }

    // Raw keys (digits and other codes) not handled by the toolkit.
    virtual void keyDown(int key);

    // Unique number of this window within the run of the host.
    int getWinId() const { return winId_; }
    int getFlag() const { return flag_; }
    virtual bool isMessageBox() const { return false; }

protected:
    int flag_;
    int winId_;
    eWidget* focus_ = nullptr;
    bool running_ = false;
    bool closeRequested_ = false;
    int result_ = 0;
};

#endif

// Top-level windows: placement, showing and hiding with their trace events,
// and the modal run that takes keys until the window is closed.
#include <string>

#include "host/ebutton.h"
#include "host/ewindow.h"
#include "host/standin/internal.h"

namespace {

// Every reported widget under `parent`, positions relative to the client area.
void reportWidgets(const eWidget* parent, int win, int dx, int dy)
{
    for (const eWidget* c : parent->getChildren()) {
        const char* type = c->widgetType();
        if (type) {
            boxtk::Event e;
            e.ev = "widget";
            e.win = win;
            e.type = type;
            e.text = c->getText();
            if (const eButton* b = dynamic_cast<const eButton*>(c))
                e.colour = b->getShortcut();
            e.x = c->getPosition().x + dx;
            e.y = c->getPosition().y + dy;
            e.w = c->getSize().w;
            e.h = c->getSize().h;
            boxtk::emit(e);
        }
        reportWidgets(c, win, dx + c->getPosition().x, dy + c->getPosition().y);
    }
}

void emitWin(const char* ev, int win)
{
    boxtk::Event e;
    e.ev = ev;
    e.win = win;
    boxtk::emit(e);
}

}  // namespace

eWindow::eWindow(int flag) : eWidget(nullptr, 0), flag_(flag), winId_(boxtk::detail::nextWindowId())
{
}

eWindow::~eWindow()
{
    boxtk::detail::removeShown(this);
}

void eWindow::cmove(ePoint p)
{
    pos_ = p;
}

void eWindow::cresize(eSize s)
{
    size_ = s;
}

void eWindow::setText(const eString& title)
{
    text_ = title;
    if (!visible_)
        return;
    boxtk::Event e;
    e.ev = "title";
    e.win = winId_;
    e.title = title;
    boxtk::emit(e);
}

void eWindow::show()
{
    eWidget::show();
    boxtk::detail::addShown(this);
    boxtk::Event e;
    e.ev = "show";
    e.win = winId_;
    e.title = text_;
    e.x = pos_.x;
    e.y = pos_.y;
    e.w = size_.w;
    e.h = size_.h;
    boxtk::emit(e);
    reportWidgets(this, winId_, 0, 0);
}

void eWindow::hide()
{
    eWidget::hide();
    boxtk::detail::removeShown(this);
    emitWin("hide", winId_);
}

int eWindow::exec()
{
    closeRequested_ = false;
    result_ = 0;
    running_ = true;
    emitWin("exec", winId_);
    while (!closeRequested_)
        boxtk::detail::dispatchKey(this, boxtk::detail::nextKey());
    running_ = false;
    closeRequested_ = false;
    boxtk::Event e;
    e.ev = "close";
    e.win = winId_;
    e.result = result_;
    boxtk::emit(e);
    return result_;
}

void eWindow::close(int code)
{
    result_ = code;
    closeRequested_ = true;
}

void eWindow::keyDown(int /*key*/)
{
}

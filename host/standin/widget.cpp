// The widget tree: parents own their children and destroy them with
// themselves; labels and buttons report their texts to the trace.
#include <algorithm>

#include "host/ebutton.h"
#include "host/elabel.h"
#include "host/ewidget.h"
#include "host/ewindow.h"
#include "host/standin/internal.h"

eWidget::eWidget(eWidget* parent, int takefocus) : parent_(parent), takefocus_(takefocus)
{
    if (parent_)
        parent_->children_.push_back(this);
}

eWidget::~eWidget()
{
    // Children unhook themselves from children_ when deleted; take the list
    // first so that they find nothing to unhook from.
    std::vector<eWidget*> children;
    children.swap(children_);
    for (eWidget* c : children) {
        c->parent_ = nullptr;
        delete c;
    }
    if (parent_) {
        auto& v = parent_->children_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
}

void eWidget::move(ePoint p)
{
    pos_ = p;
}

void eWidget::resize(eSize s)
{
    size_ = s;
}

void eWidget::setText(const eString& text)
{
    text_ = text;
}

void eWidget::show()
{
    visible_ = true;
    for (eWidget* c : children_)
        c->show();
}

void eWidget::hide()
{
    visible_ = false;
    for (eWidget* c : children_)
        c->hide();
}

eWindow* eWidget::getWindow()
{
    for (eWidget* w = this; w; w = w->parent_)
        if (eWindow* win = dynamic_cast<eWindow*>(w))
            return win;
    return nullptr;
}

namespace boxtk {
namespace detail {

int windowIdOf(eWidget* w)
{
    eWindow* win = w ? w->getWindow() : nullptr;
    return win ? win->getWinId() : -1;
}

bool windowShown(eWidget* w)
{
    eWindow* win = w ? w->getWindow() : nullptr;
    return win && win->isVisible();
}

}  // namespace detail
}  // namespace boxtk

eLabel::eLabel(eWidget* parent, int flags, int takefocus, const char* /*deco*/)
    : eWidget(parent, takefocus), flags_(flags)
{
}

void eLabel::setText(const eString& text)
{
    eWidget::setText(text);
    // Button captions are not label texts to the trace.
    if (std::string(widgetType()) != "label" || !boxtk::detail::windowShown(this))
        return;
    boxtk::Event e;
    e.ev = "text";
    e.win = boxtk::detail::windowIdOf(this);
    e.text = text;
    boxtk::emit(e);
}

eButton::eButton(eWidget* parent, eLabel* /*descr*/, int takefocus, const char* deco)
    : eLabel(parent, 0, takefocus, deco)
{
}

void eButton::setShortcut(const eString& colour)
{
    shortcut_ = colour;
}

void eButton::setShortcutPixmap(const eString& colour)
{
    pixmap_ = colour;
}

void eButton::loadDeco()
{
}

// Base of every widget: a node of the widget tree that owns its children.
#ifndef UDOVOR_HOST_EWIDGET_H
#define UDOVOR_HOST_EWIDGET_H

#include <vector>

#include "host/ebase.h"

class eWindow;

class eWidget {
public:
    explicit eWidget(eWidget* parent = nullptr, int takefocus = 0);
    virtual ~eWidget();  // destroys the children
    eWidget(const eWidget&) = delete;
    eWidget& operator=(const eWidget&) = delete;

    // Position relative to the parent's client area, size in pixels.
    void move(ePoint p);
    void resize(eSize s);
    ePoint getPosition() const { return pos_; }
    eSize getSize() const { return size_; }

    virtual void setText(const eString& text);
    const eString& getText() const { return text_; }

    virtual void show();
    virtual void hide();
    bool isVisible() const { return visible_; }

    eWidget* getParent() const { return parent_; }
    const std::vector<eWidget*>& getChildren() const { return children_; }
    // The window this widget belongs to (itself for a window).
    eWindow* getWindow();

    // What the stand-in's trace calls the widget: "list", "button",
    // "label", or null for widgets it does not report.
    virtual const char* widgetType() const { return nullptr; }

protected:
    eWidget* parent_;
    std::vector<eWidget*> children_;
    ePoint pos_;
    eSize size_;
    eString text_;
    bool visible_ = false;
    int takefocus_;
};

#endif

#pragma once
// TControl: the base of every visible component of the window. It is a
// QWidget (Qt parent-child for drawing and events) and a TComponent (owned and
// named by the window, given its settings by the description reader).

#include <QWidget>

#include "component/Component.h"

// A component that can hold controls: the window. Its client area is the
// widget controls are placed on (positions are client coordinates).
class TControlHost {
public:
    virtual ~TControlHost() = default;
    virtual QWidget* clientArea() = 0;
};

class TControl : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TControl(TComponent* owner = nullptr);

    // Left, Top, Width, Height, TabOrder, TabStop, Visible, Enabled, Color,
    // ParentFont and Font.Name / Font.Height / Font.Color / Font.Charset /
    // Font.Style; anything else goes to TComponent (which rejects it).
    void readSetting(std::string_view name, const PropertyValue& value) override;
    // Becomes a child widget of the host's client area.
    void setParentComponent(TComponent* parent) override;

    // Position in the window's tab order; -1 when not stored.
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order) { tabOrder_ = order; }
    // Whether Tab and Shift+Tab stop here (the focus policy follows it).
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool stop);

    // The bounds as stored, in 96-dpi pixels, before any scaling.
    QRect storedBounds() const { return storedBounds_; }

protected:
    // Subclasses say whether they take the focus by default.
    void setDefaultTabStop(bool stop) { setTabStop(stop); }

private:
    QRect storedBounds_;
    int tabOrder_ = -1;
    bool tabStop_ = false;
};

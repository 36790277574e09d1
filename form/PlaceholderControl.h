#pragma once
// A stand-in for a control class whose implementation is not in this build:
// it takes its place and bounds, keeps every other setting, reference and
// handler it is given, and draws a plain frame with its name.

#include <map>
#include <string>

#include "controls/Control.h"

class TPlaceholderControl : public TControl {
    Q_OBJECT
public:
    TPlaceholderControl(TComponent* owner, std::string className, bool tabStop);
    const char* className() const override { return className_.c_str(); }

    void readSetting(std::string_view name, const PropertyValue& value) override;
    void readReference(std::string_view name, TComponent* target) override;
    void readHandler(std::string_view name, TNotifyHandler handler) override;
    void componentFreed(TComponent* component) override;

    // What the description gave it; nullptr when it gave nothing of that name.
    const PropertyValue* setting(const std::string& name) const;
    TComponent* reference(const std::string& name) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string className_;
    std::map<std::string, PropertyValue, std::less<>> settings_;
    std::map<std::string, TComponent*, std::less<>> references_;
    std::map<std::string, TNotifyHandler, std::less<>> handlers_;
};

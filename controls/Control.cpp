#include "controls/Control.h"

#include "component/Exceptions.h"
#include "controls/FontSetting.h"

TControl::TControl(TComponent* owner) : QWidget(nullptr), TComponent(owner) {
    setFocusPolicy(Qt::NoFocus);
}

void TControl::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "Left") {
        storedBounds_.moveLeft(static_cast<int>(value.integer));
        move(storedBounds_.topLeft());
    } else if (name == "Top") {
        storedBounds_.moveTop(static_cast<int>(value.integer));
        move(storedBounds_.topLeft());
    } else if (name == "Width") {
        storedBounds_.setWidth(static_cast<int>(value.integer));
        resize(storedBounds_.size());
    } else if (name == "Height") {
        storedBounds_.setHeight(static_cast<int>(value.integer));
        resize(storedBounds_.size());
    } else if (name == "TabOrder") {
        tabOrder_ = static_cast<int>(value.integer);
    } else if (name == "TabStop") {
        setTabStop(value.asBool());
    } else if (name == "Visible") {
        setVisible(value.asBool());
    } else if (name == "Enabled") {
        setEnabled(value.asBool());
    } else if (name == "ParentFont" || name == "Color") {
        // The window's font and colour are in force for every control here.
    } else if (name.starts_with("Font.")) {
        QFont f = font();
        applyFontSetting(f, name.substr(5), value);
        setFont(f);
    } else {
        TComponent::readSetting(name, value);
    }
}

void TControl::setParentComponent(TComponent* parent) {
    if (auto* host = dynamic_cast<TControlHost*>(parent)) {
        setParent(host->clientArea());
        move(storedBounds_.topLeft());
        show();
    }
}

void TControl::setTabStop(bool stop) {
    tabStop_ = stop;
    setFocusPolicy(stop ? Qt::StrongFocus : Qt::NoFocus);
}

#pragma once
// A tiny class set for reading descriptions without any real component: every
// component writes what happens to it into one shared log.

#include <string>
#include <vector>

#include "component/Component.h"
#include "component/ComponentRegistry.h"
#include "component/Exceptions.h"

using Log = std::vector<std::string>;

inline std::string describe(const PropertyValue& value) {
    switch (value.kind) {
        case PropertyValue::Kind::Integer:
            return std::to_string(value.integer);
        case PropertyValue::Kind::String:
            return "\"" + value.text + "\"";
        case PropertyValue::Kind::Binary:
            return std::to_string(value.bytes.size()) + " bytes";
        case PropertyValue::Kind::Collection:
            return std::to_string(value.collection.size()) + " items";
        case PropertyValue::Kind::StringList:
        case PropertyValue::Kind::Set:
            return std::to_string(value.items.size()) + " entries";
        default:
            return value.text;
    }
}

class FakeComponent : public TComponent {
public:
    FakeComponent(TComponent* owner, std::string className, Log& log)
        : TComponent(owner), className_(std::move(className)), log_(log) {
        log_.push_back("create " + className_);
    }
    ~FakeComponent() override { log_.push_back("free " + name()); }
    const char* className() const override { return className_.c_str(); }

    void readSetting(std::string_view setting, const PropertyValue& value) override {
        if (setting == "Unknown") {
            TComponent::readSetting(setting, value);
        }
        log_.push_back(name() + "." + std::string(setting) + " = " + describe(value));
    }
    void readReference(std::string_view setting, TComponent* target) override {
        if (setting == "Unknown") {
            TComponent::readReference(setting, target);
        }
        log_.push_back(name() + "." + std::string(setting) + " -> " + target->name());
    }
    void readHandler(std::string_view setting, TNotifyHandler handler) override {
        log_.push_back(name() + "." + std::string(setting) + " handled");
        handler(this);
    }
    void setParentComponent(TComponent* parent) override {
        log_.push_back(name() + " inside " + parent->name());
    }
    void loaded() override {
        TComponent::loaded();
        log_.push_back("loaded " + name());
    }

protected:
    std::string className_;
    Log& log_;
};

// The root: binds fields and offers one method, "Handled".
class FakeWindow : public FakeComponent {
public:
    explicit FakeWindow(Log& log) : FakeComponent(nullptr, "TFakeWindow", log) {}
    void bindField(std::string_view fieldName, TComponent* component) override {
        if (fieldName == "Unbindable") {
            throw EReadError("field Unbindable has another class");
        }
        log_.push_back("bind " + std::string(fieldName) + " (" + component->className() + ")");
    }
    TNotifyHandler findMethod(std::string_view method) override {
        if (method != "Handled") {
            return {};
        }
        return [this](TComponent* sender) { log_.push_back("Handled(" + sender->name() + ")"); };
    }
};

inline ComponentRegistry fakeClasses(Log& log) {
    ComponentRegistry classes;
    for (const char* className : {"TFakeControl", "TFakeSet", "TFakeField", "TFakeSource"}) {
        classes.add(className, [className, &log](TComponent* owner) -> TComponent* {
            return new FakeComponent(owner, className, log);
        });
    }
    return classes;
}

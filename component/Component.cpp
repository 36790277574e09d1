#include "component/Component.h"

#include <algorithm>

#include "component/Exceptions.h"

namespace {
std::string settingError(const TComponent& component, std::string_view name, int line) {
    std::string where = line > 0 ? "Line " + std::to_string(line) + ": " : std::string();
    return where + "Property " + component.name() + "." + std::string(name) + " does not exist";
}
}  // namespace

PropertyValue::PropertyValue() = default;

bool PropertyValue::asBool() const {
    if (kind == Kind::Identifier && text == "True") {
        return true;
    }
    if (kind == Kind::Identifier && text == "False") {
        return false;
    }
    throw EReadError("Line " + std::to_string(line) + ": True or False expected");
}

TComponent::TComponent(TComponent* owner) {
    if (owner) {
        owner->insertComponent(this);
    }
}

TComponent::~TComponent() {
    // Tell everyone who refers to this component before it goes.
    auto notifies = std::move(freeNotifies_);
    for (TComponent* other : notifies) {
        other->componentFreed(this);
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    }
    destroyComponents();
    if (owner_) {
        owner_->removeComponent(this);
    }
}

TComponent* TComponent::findComponent(std::string_view name) const {
    for (TComponent* component : components_) {
        if (component->name() == name) {
            return component;
        }
    }
    return nullptr;
}

void TComponent::destroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        // The destructor removes it from components_.
        delete last;
    }
}

void TComponent::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "Left" && value.kind == PropertyValue::Kind::Integer) {
        designLeft_ = static_cast<int>(value.integer);
        return;
    }
    if (name == "Top" && value.kind == PropertyValue::Kind::Integer) {
        designTop_ = static_cast<int>(value.integer);
        return;
    }
    throw EReadError(settingError(*this, name, value.line));
}

void TComponent::readReference(std::string_view name, TComponent*) {
    throw EReadError(settingError(*this, name, 0));
}

void TComponent::readHandler(std::string_view name, TNotifyHandler) {
    throw EReadError(settingError(*this, name, 0));
}

void TComponent::setParentComponent(TComponent*) {}

void TComponent::bindField(std::string_view, TComponent*) {}

TNotifyHandler TComponent::findMethod(std::string_view) { return {}; }

void TComponent::componentFreed(TComponent*) {}

void TComponent::freeNotification(TComponent* component) {
    if (!component || component == this) {
        return;
    }
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
        component->freeNotifies_.push_back(this);
    }
}

void TComponent::removeFreeNotification(TComponent* component) {
    if (!component) {
        return;
    }
    auto& mine = freeNotifies_;
    mine.erase(std::remove(mine.begin(), mine.end(), component), mine.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::insertComponent(TComponent* component) {
    component->owner_ = this;
    components_.push_back(component);
}

void TComponent::removeComponent(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component),
                      components_.end());
    component->owner_ = nullptr;
}

#include "component/ComponentRegistry.h"

void ComponentRegistry::add(std::string className, Factory factory) {
    factories_[std::move(className)] = std::move(factory);
}

bool ComponentRegistry::contains(std::string_view className) const {
    return factories_.find(className) != factories_.end();
}

TComponent* ComponentRegistry::create(std::string_view className, TComponent* owner) const {
    auto found = factories_.find(className);
    return found == factories_.end() ? nullptr : found->second(owner);
}

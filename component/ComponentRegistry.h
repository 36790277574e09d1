#pragma once
// The component classes a description may name, by class name. Each class is
// made by a factory that takes the owner. A program builds one registry with
// the classes its windows use and hands it to the description reader.

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "component/Component.h"

class ComponentRegistry {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;

    // Registers (or replaces) the factory for `className`.
    void add(std::string className, Factory factory);
    // Registers T, made with `new T(owner)`.
    template <class T>
    void add(std::string className) {
        add(std::move(className), [](TComponent* owner) -> TComponent* { return new T(owner); });
    }

    bool contains(std::string_view className) const;
    // A new component of that class owned by `owner`; nullptr for an unknown class.
    TComponent* create(std::string_view className, TComponent* owner) const;

private:
    std::map<std::string, Factory, std::less<>> factories_;
};

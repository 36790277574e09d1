#pragma once
// A window description as read from its text: the root component with its
// settings and the components stored inside it, all in stored order.

#include <string>
#include <vector>

#include "component/Component.h"

struct ComponentDescription {
    std::string name;
    std::string className;
    int line = 0;                                // the line of its header
    PropertyValue::Settings settings;            // in stored order
    std::vector<ComponentDescription> children;  // stored inside it, in stored order
};

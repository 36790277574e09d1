#pragma once
// Brings a parsed window description to life on its root component:
//
//  1. the root's own settings, in stored order;
//  2. each component in stored order: created by class name with the root as
//     owner, named, bound to the root's field of that name (bindField), placed
//     inside its parent (setParentComponent: the root, or the component it is
//     stored inside), then given its settings in stored order. A reference is
//     resolved at once when the component it names exists, otherwise once the
//     whole description has been read; a handler is looked up on the root;
//  3. the after-load pass: the root first, then every component after the
//     components stored inside it.
//
// Errors in the description throw EReadError naming the line. The components
// created before an error stay owned by the root, which frees them.

#include "component/ComponentRegistry.h"
#include "component/Description.h"

void readDescription(TComponent& root, const ComponentDescription& description,
                     const ComponentRegistry& classes);

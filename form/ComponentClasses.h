#pragma once
// The component classes the window's description names.

#include "component/ComponentRegistry.h"

ComponentRegistry windowComponentClasses();

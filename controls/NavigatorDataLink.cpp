#include "controls/NavigatorDataLink.h"

namespace {
void call(const std::function<void()>& reaction) {
    if (reaction) {
        reaction();
    }
}
}  // namespace

void NavigatorDataLink::activeChanged() {
    call(onActiveChange);
}

void NavigatorDataLink::editingChanged() {
    call(onEditingChange);
}

void NavigatorDataLink::dataSetChanged() {
    call(onDataChange);
}

// A scroll is handled like a data set change, not through the record change
// that the base would derive from it.
void NavigatorDataLink::dataSetScrolled(int) {
    call(onDataChange);
}

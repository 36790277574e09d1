#pragma once
// The navigator's link to its data source. Of the record set's notifications
// it passes on only the three the navigator's buttons depend on: the set
// opened or closed, it entered or left Edit or Insert, and its record window
// was re-read or moved.

#include <functional>

#include "data/DataSource.h"

class NavigatorDataLink : public TDataLink {
public:
    std::function<void()> onActiveChange;   // opened or closed
    std::function<void()> onEditingChange;  // entered or left Edit or Insert
    std::function<void()> onDataChange;     // data set change or scroll

protected:
    void activeChanged() override;
    void editingChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled(int distance) override;
};

#pragma once
// The grid's end of its data source: passes the record set's notifications
// on to the grid, which redraws from the record window.

#include "data/DataSource.h"

// What the grid does for each notification.
class GridLinkReactions {
public:
    virtual ~GridLinkReactions() = default;
    virtual void linkActiveChanged() = 0;   // opened or closed: bind the columns
    virtual void linkEditingChanged() = 0;  // into or out of Edit/Insert
    virtual void linkDataSetChanged() = 0;  // the record window was re-read
    virtual void linkDataSetScrolled(int distance) = 0;
    virtual void linkRecordChanged(TField* field) = 0;  // nullptr: the whole record
    virtual void linkUpdateData() = 0;                  // write the pending in-place edit
};

class TGridDataLink : public TDataLink {
public:
    explicit TGridDataLink(GridLinkReactions& grid) : grid_(grid) {}

protected:
    void activeChanged() override { grid_.linkActiveChanged(); }
    void editingChanged() override { grid_.linkEditingChanged(); }
    void dataSetChanged() override { grid_.linkDataSetChanged(); }
    void dataSetScrolled(int distance) override { grid_.linkDataSetScrolled(distance); }
    void recordChanged(TField* field) override { grid_.linkRecordChanged(field); }
    void updateData() override { grid_.linkUpdateData(); }

private:
    GridLinkReactions& grid_;
};

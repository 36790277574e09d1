#pragma once
// The record grid as assistive technology sees it: a table whose columns are
// named by their titles, with one row per shown record (the blank row of an
// empty record set included) and cells named by their text. Check-box cells
// are checkable and report checked, clear or mixed (grey); the current cell
// is focused while the grid has the focus. Qt's item-view interfaces report
// neither checkable cells nor the mixed state, hence this one.

class TDBGrid;

// Registers the grid's interface with Qt's accessibility, once per process.
void installGridAccessibility();

// Tell assistive technology what changed.
void announceGridFocus(TDBGrid& grid);                             // the current cell moved
void announceGridCellChanged(TDBGrid& grid, int row, int column);  // a box was toggled
void announceGridStructureChanged(TDBGrid& grid);                  // rows or columns changed

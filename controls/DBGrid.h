#pragma once
// TDBGrid: the record grid. One row per record of the record set's record
// window, a title row with the field names, an indicator column with the
// current-record mark, text columns with an in-place editor, and check-box
// columns that show a field through a column's key lines and toggle it with a
// click or Space. Everything is painted straight from the record window at
// paint time; the grid itself holds no record data, only the current column,
// the cell a press went down in, and the in-place editor's pending text.

#include <QFont>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "controls/Control.h"
#include "controls/DBGridColumn.h"
#include "controls/GridCellPainter.h"
#include "controls/GridDataLink.h"
#include "controls/GridGeometry.h"
#include "controls/GridInplaceEditor.h"

class QAccessibleEvent;
class QScrollBar;
class TDataSet;

// The grid's Options.
struct TDBGridOptions {
    bool editing = true;        // dgEditing: in-place editor, Insert, Delete keys
    bool titles = true;         // dgTitles
    bool indicator = true;      // dgIndicator
    bool columnResize = true;   // dgColumnResize: drag title borders and titles
    bool colLines = true;       // dgColLines
    bool rowLines = true;       // dgRowLines
    bool tabs = true;           // dgTabs: Tab moves between cells
    bool confirmDelete = true;  // dgConfirmDelete
    bool cancelOnExit = true;   // dgCancelOnExit
};

// The grid's OptionsEx.
struct TDBGridOptionsEx {
    bool fixed3D = false;         // dgxFixed3D: raised title and indicator cells
    bool highlightFocus = false;  // dgxHighlightFocus: current cell highlighted while focused
    bool clearSelection = false;  // dgxClearSelection: no selection to clear here
};

// The grid's AllowedOperations.
struct TAllowedOperations {
    bool insert = true;
    bool update = true;
    bool remove = true;
    bool append = true;
};

class TDBGrid : public TControl, private GridLinkReactions, private InplaceEditorOwner {
    Q_OBJECT
public:
    explicit TDBGrid(TComponent* owner = nullptr);
    ~TDBGrid() override;
    const char* className() const override { return "TDBGrid"; }

    // Settings: Columns, Options, OptionsEx, AllowedOperations, ReadOnly,
    // TitleFont.*, FooterFont.*, FooterColor, FooterRowCount (0), DataSource
    // (a reference), and the control's own (geometry, TabOrder, Font).
    void readSetting(std::string_view name, const PropertyValue& value) override;
    void readReference(std::string_view name, TComponent* target) override;
    void componentFreed(TComponent* component) override;

    TDataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(TDataSource* source);

    // Columns in display order. Without stored columns the grid shows one
    // column per field while the record set is active.
    int columnCount() const { return static_cast<int>(columns_.size()); }
    TDBGridColumn& column(int index) const { return *columns_[static_cast<std::size_t>(index)]; }
    TDBGridColumn& addColumn();
    // Moves the column at `from` so that it stands before the column that is
    // now at `to` (to == columnCount(): at the end), as dropping a dragged title.
    void moveColumn(int from, int to);
    void setColumnWidth(int column, int width);

    const TDBGridOptions& options() const { return options_; }
    void setOptions(const TDBGridOptions& options);
    const TDBGridOptionsEx& optionsEx() const { return optionsEx_; }
    const TAllowedOperations& allowedOperations() const { return allowed_; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    const QFont& titleFont() const;

    // What the grid shows, for its accessible interface and its users.
    // Data rows shown: the records of the record window, or one blank row
    // when the active record set is empty.
    int shownRowCount() const;
    bool showsBlankRow() const;
    int currentRow() const;  // -1 while the record set is inactive
    int currentColumn() const { return currentColumn_; }
    QString columnTitle(int column) const;
    // The field's text in a cell (also of a check-box cell, which does not draw it).
    QString cellText(int row, int column) const;
    // The state of a cell's box; nullopt for text cells and the blank row.
    std::optional<TCheckBoxState> cellCheckState(int row, int column) const;
    // Cells in widget coordinates, without their lines.
    QRect cellRect(int row, int column) const;
    QRect titleRect(int column) const;
    GridHit hitTest(QPoint point) const;
    // The grid or its in-place editor has the keyboard focus.
    bool hasFocusWithin() const;
    bool editorShown() const { return editorShown_; }
    // The toggle's checks: whether the cell of `column` in the current
    // record may be changed (no message when not).
    bool cellMayChange(int column) const;

    // Actions as the mouse and keyboard perform them.
    // Moves to a cell: writes a pending in-place edit, moves the record set
    // by the difference in rows, makes `column` current.
    void moveToCell(int row, int column);
    void setCurrentColumn(int column);
    // Toggles the current cell when it is a check-box cell and may change.
    void toggleCurrentCell();

    // Where the grid's accessibility events go: to Qt's accessibility (and
    // on to assistive technology) unless a program routes them elsewhere,
    // for example to record them. Events are made only when someone listens.
    using AccessibleEventSink = std::function<void(QAccessibleEvent* event)>;
    void setAccessibleEventSink(AccessibleEventSink sink) { eventSink_ = std::move(sink); }
    bool accessibleEventsWanted() const;
    void sendAccessibleEvent(QAccessibleEvent* event) const;

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Reactions to the record set (GridLinkReactions).
    void linkActiveChanged() override;
    void linkEditingChanged() override;
    void linkDataSetChanged() override;
    void linkDataSetScrolled(int distance) override;
    void linkRecordChanged(TField* field) override;
    void linkUpdateData() override;
    void recordWindowChanged();
    // The rows shown may be others now: scroll bar, picture, accessibility.
    void rowsChanged();
    // A field write or the start of an edit changes only the current record's
    // row: repaint that row alone (the whole grid when there is none).
    void updateCurrentRow();

    // The in-place editor's requests (InplaceEditorOwner).
    void editorNavigationKey(QKeyEvent* event) override;
    bool editorMayModify() override;
    void editorFocusLost(QFocusEvent* event) override;

    // Columns and layout.
    void bindColumns();
    void updateLayout();
    void ensureColumnVisible(int column);
    void syncVerticalScrollBar();
    void runScrollAction(int action, int position);
    GridMetrics measure() const;

    // Painting.
    // Each paints only the cells that meet `dirty`, the region being repainted.
    void paintTitleRow(QPainter& painter, const GridCellPainter& cells, const QRegion& dirty) const;
    void paintDataRows(QPainter& painter, const GridCellPainter& cells, const QRegion& dirty) const;
    IndicatorMark currentMark() const;
    CellLook lookOf(int row, int column) const;

    // Keys.
    void handleKey(QKeyEvent* event);
    bool handleTab(bool forward);
    void typeIntoEditor(QKeyEvent* event);
    void escape();

    // Record operations, each refused silently when the settings forbid it.
    TDataSet* activeDataSet() const;
    bool canInsert() const;
    bool canAppend() const;
    bool editRequest();
    bool priorRecord();
    bool nextRecord(bool appendAtEnd);
    void moveRecords(int distance);
    void insertRecord();
    void deleteCurrentRecord();
    void clearCurrentCell();

    // The in-place editor.
    bool canShowEditor() const;
    void showEditor();
    void hideEditor();
    bool editorModified() const;
    void writeEditor();
    void commitEditor();
    void loadEditor();
    void placeEditor();
    void focusLeft(QFocusEvent* event);

    TGridDataLink link_{*this};
    std::vector<std::unique_ptr<TDBGridColumn>> columns_;
    bool defaultColumns_ = true;  // no stored columns: one per field
    TDBGridOptions options_;
    TDBGridOptionsEx optionsEx_;
    TAllowedOperations allowed_;
    bool readOnly_ = false;
    std::optional<QFont> titleFont_;
    std::optional<QFont> footerFont_;
    std::string footerColor_;

    GridGeometry geometry_;
    QSize boxSize_;  // the system's check-box size, measured once
    QScrollBar* vScroll_ = nullptr;
    QScrollBar* hScroll_ = nullptr;
    int scrollX_ = 0;
    bool inLayout_ = false;
    int wheelRemainder_ = 0;
    int lastShownRows_ = -1;

    int currentColumn_ = 0;
    // The check-box cell in which the left button last went down.
    std::optional<GridHit> pressCell_;

    // Dragging in the title row.
    enum class Drag { None, Resize, MaybeMove, Move };
    Drag drag_ = Drag::None;
    int dragColumn_ = -1;
    QPoint dragStart_;
    int dragStartWidth_ = 0;
    int dropIndex_ = -1;

    GridInplaceEditor* editor_ = nullptr;
    bool editorShown_ = false;
    // While the grid makes its own edit request, the record window re-read
    // that an insert sends must not close the editor that asked for it.
    bool inEditRequest_ = false;

    AccessibleEventSink eventSink_;
};

// The keyboard on the grid. The grid keeps Tab and the arrow keys for itself:
// they move between its cells and never move the focus to another control.

#include <QKeyEvent>

#include "controls/DBGrid.h"
#include "data/DataSet.h"

bool TDBGrid::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && options_.tabs && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            handleKey(key);
            return true;
        }
    }
    return TControl::event(event);
}

bool TDBGrid::focusNextPrevChild(bool next) {
    // Without dgTabs, Tab leaves the grid as in any other control; with it,
    // Tab is handled in event() before it gets here.
    return options_.tabs ? false : TControl::focusNextPrevChild(next);
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
    handleKey(event);
}

void TDBGrid::editorNavigationKey(QKeyEvent* event) {
    handleKey(event);
}

void TDBGrid::handleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool alt = modifiers & Qt::AltModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    TDataSet* dataSet = activeDataSet();
    event->accept();
    if (!dataSet) {
        return;
    }
    const int lastColumn = columnCount() - 1;
    switch (event->key()) {
        case Qt::Key_Up:
            priorRecord();
            return;
        case Qt::Key_Down:
            nextRecord(true);
            return;
        case Qt::Key_PageUp:
            moveRecords(-geometry_.visibleRowCount());
            return;
        case Qt::Key_PageDown:
            moveRecords(geometry_.visibleRowCount());
            return;
        case Qt::Key_Home:
            if (ctrl) {
                dataSet->first();
            } else {
                setCurrentColumn(0);
            }
            return;
        case Qt::Key_End:
            if (ctrl) {
                dataSet->last();
            } else {
                setCurrentColumn(lastColumn);
            }
            return;
        case Qt::Key_Left:
            setCurrentColumn(std::max(0, currentColumn_ - 1));
            return;
        case Qt::Key_Right:
            setCurrentColumn(std::min(lastColumn, currentColumn_ + 1));
            return;
        case Qt::Key_Tab:
            handleTab(!shift);
            return;
        case Qt::Key_Backtab:
            handleTab(false);
            return;
        case Qt::Key_Insert:
            if (modifiers == Qt::NoModifier) {
                insertRecord();
            }
            return;
        case Qt::Key_Delete:
            if (ctrl) {
                deleteCurrentRecord();
            } else if (!alt) {
                clearCurrentCell();
            }
            return;
        case Qt::Key_Escape:
            escape();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Opens the editor of a text cell, or closes it after writing its text.
            if (editorShown_) {
                commitEditor();
            } else {
                showEditor();
            }
            return;
        case Qt::Key_F2:
            showEditor();
            return;
        default:
            break;
    }
    if (columnCount() == 0 || ctrl || alt) {
        event->ignore();
        return;
    }
    if (column(currentColumn_).isCheckBoxColumn()) {
        // Space toggles; other characters do not change a check box.
        if (event->key() == Qt::Key_Space) {
            toggleCurrentCell();
        }
        return;
    }
    if (GridInplaceEditor::changesText(event) && event->key() != Qt::Key_Backspace &&
        event->key() != Qt::Key_Delete) {
        typeIntoEditor(event);
        return;
    }
    event->ignore();
}

bool TDBGrid::handleTab(bool forward) {
    if (columnCount() == 0) {
        return false;
    }
    if (forward) {
        if (currentColumn_ < columnCount() - 1) {
            setCurrentColumn(currentColumn_ + 1);
            return true;
        }
        // On to the first column of the next record, appending one at the end.
        if (nextRecord(true)) {
            setCurrentColumn(0);
            return true;
        }
        return false;
    }
    if (currentColumn_ > 0) {
        setCurrentColumn(currentColumn_ - 1);
        return true;
    }
    if (priorRecord()) {
        setCurrentColumn(columnCount() - 1);
        return true;
    }
    return false;
}

void TDBGrid::escape() {
    if (editorShown_ && editorModified()) {
        // First the typed text goes; the record stays in Edit.
        loadEditor();
        hideEditor();
        return;
    }
    hideEditor();
    if (TDataSet* dataSet = activeDataSet()) {
        dataSet->cancel();
    }
}

// Changing records from the grid: moving to a cell, toggling a check-box
// cell, clearing it, inserting, appending and deleting records, the in-place
// editor of text cells, and what happens when the focus leaves the grid.
// Errors of the record set are not caught here: they end the action and
// reach the application's error box.

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include "controls/DBGrid.h"
#include "controls/Dialogs.h"
#include "controls/GridAccessible.h"
#include "data/DataSet.h"
#include "data/Field.h"

// --- Moving -----------------------------------------------------------------

void TDBGrid::moveToCell(int row, int column) {
    TDataSet* dataSet = activeDataSet();
    if (!dataSet) {
        return;
    }
    commitEditor();
    const int current = currentRow();
    if (row >= 0 && row != current) {
        dataSet->moveBy(row - current);
    }
    setCurrentColumn(column);
}

void TDBGrid::setCurrentColumn(int column) {
    if (columnCount() == 0) {
        return;
    }
    column = std::clamp(column, 0, columnCount() - 1);
    if (column != currentColumn_) {
        commitEditor();
        currentColumn_ = column;
        update();
        if (hasFocusWithin()) {
            announceGridFocus(*this);
        }
    }
    ensureColumnVisible(column);
}

bool TDBGrid::priorRecord() {
    TDataSet* dataSet = activeDataSet();
    if (!dataSet) {
        return false;
    }
    // Leaving an appended record that nothing has changed drops it.
    if (dataSet->state() == TDataSetState::dsInsert && !dataSet->modified() && !editorModified() &&
        dataSet->eof()) {
        dataSet->cancel();
        return true;
    }
    return dataSet->moveBy(-1) != 0;
}

bool TDBGrid::nextRecord(bool appendAtEnd) {
    TDataSet* dataSet = activeDataSet();
    if (!dataSet) {
        return false;
    }
    // An appended record that nothing has changed is not followed by another.
    if (dataSet->state() == TDataSetState::dsInsert && !dataSet->modified() && !editorModified() &&
        dataSet->eof()) {
        return false;
    }
    const int moved = dataSet->moveBy(1);
    if (moved == 0 && dataSet->eof() && appendAtEnd && canAppend()) {
        dataSet->append();
        return true;
    }
    return moved != 0;
}

void TDBGrid::moveRecords(int distance) {
    if (TDataSet* dataSet = activeDataSet()) {
        dataSet->moveBy(distance);
    }
}

// --- Changing records -------------------------------------------------------

bool TDBGrid::canInsert() const {
    TDataSet* dataSet = activeDataSet();
    return dataSet && !readOnly_ && options_.editing && allowed_.insert && dataSet->canModify();
}

bool TDBGrid::canAppend() const {
    TDataSet* dataSet = activeDataSet();
    return dataSet && !readOnly_ && options_.editing && allowed_.append && dataSet->canModify();
}

bool TDBGrid::editRequest() {
    // An insert caused by the request re-reads the record window; the editor
    // that asked stays open (see recordWindowChanged).
    const bool wasInside = std::exchange(inEditRequest_, true);
    struct Restore {
        bool& flag;
        bool value;
        ~Restore() { flag = value; }
    } restore{inEditRequest_, wasInside};
    return link_.edit();
}

void TDBGrid::toggleCurrentCell() {
    if (columnCount() == 0 || !column(currentColumn_).isCheckBoxColumn() ||
        !cellMayChange(currentColumn_)) {
        return;
    }
    // On an empty set the request inserts a record, and the after-insert
    // handler may fill the field; the state is read only afterwards.
    if (!editRequest()) {
        return;
    }
    const TDBGridColumn& toggled = column(currentColumn_);
    const TCheckBoxState next = toggled.checkState() == TCheckBoxState::cbChecked
                                    ? TCheckBoxState::cbUnchecked
                                    : TCheckBoxState::cbChecked;
    toggled.writeState(next);
}

void TDBGrid::clearCurrentCell() {
    if (columnCount() == 0) {
        return;
    }
    const TDBGridColumn& cell = column(currentColumn_);
    TField* field = cell.field();
    if (!cell.isCheckBoxColumn() || !field || field->required() || !cellMayChange(currentColumn_) ||
        !editRequest()) {
        return;
    }
    field->clear();
}

void TDBGrid::insertRecord() {
    if (canInsert()) {
        activeDataSet()->insert();
    }
}

void TDBGrid::deleteCurrentRecord() {
    TDataSet* dataSet = activeDataSet();
    if (!dataSet || readOnly_ || !allowed_.remove || dataSet->isEmpty() || !dataSet->canModify()) {
        return;
    }
    if (options_.confirmDelete && !confirmDelete()) {
        return;
    }
    hideEditor();
    dataSet->deleteRecord();
}

// --- The in-place editor ----------------------------------------------------

bool TDBGrid::canShowEditor() const {
    if (!options_.editing || columnCount() == 0 || column(currentColumn_).isCheckBoxColumn()) {
        return false;
    }
    return cellMayChange(currentColumn_);
}

void TDBGrid::showEditor() {
    if (editorShown_ || !canShowEditor()) {
        return;
    }
    ensureColumnVisible(currentColumn_);
    if (!editor_) {
        editor_ = new GridInplaceEditor(*this, this);
    }
    const TField* field = column(currentColumn_).field();
    editor_->setFont(font());
    editor_->setByteLimit(field->size());
    editor_->setAlignment(field->alignment() == TAlignment::taRightJustify ? Qt::AlignRight
                                                                           : Qt::AlignLeft);
    editor_->setText(QString::fromStdString(field->text()));
    editor_->selectAll();
    editor_->setModified(false);
    editorShown_ = true;
    placeEditor();
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    update();
}

void TDBGrid::typeIntoEditor(QKeyEvent* event) {
    showEditor();
    if (!editorShown_) {
        return;
    }
    // The editor opens with the field's text selected; the typed character
    // replaces it (after the editor's own edit request).
    QKeyEvent typed(event->type(), event->key(), event->modifiers(), event->text(),
                    event->isAutoRepeat(), static_cast<quint16>(event->count()));
    QCoreApplication::sendEvent(editor_, &typed);
}

void TDBGrid::placeEditor() {
    if (!editorShown_ || !editor_) {
        return;
    }
    const QRect columnsArea(geometry_.dataLeft(), geometry_.dataTop(),
                            geometry_.viewport().right() + 1 - geometry_.dataLeft(),
                            geometry_.viewport().bottom() + 1 - geometry_.dataTop());
    editor_->setGeometry(cellRect(currentRow(), currentColumn_).intersected(columnsArea));
}

void TDBGrid::hideEditor() {
    if (!editorShown_) {
        return;
    }
    editorShown_ = false;
    if (editor_->hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
    editor_->hide();
    editor_->setModified(false);
    update();
}

bool TDBGrid::editorModified() const {
    return editorShown_ && editor_->isModified();
}

void TDBGrid::loadEditor() {
    if (!editorShown_) {
        return;
    }
    const TField* field = column(currentColumn_).field();
    editor_->load(field ? QString::fromStdString(field->text()) : QString());
}

void TDBGrid::writeEditor() {
    if (!editorModified()) {
        return;
    }
    if (TField* field = column(currentColumn_).field()) {
        // Through the field's own text conversion; a failure leaves the text pending.
        field->setText(editor_->text().toStdString());
    }
    editor_->setModified(false);
}

void TDBGrid::commitEditor() {
    if (editorModified()) {
        link_.updateRecord();
    }
    hideEditor();
}

bool TDBGrid::editorMayModify() {
    return cellMayChange(currentColumn_) && editRequest();
}

// --- Focus ------------------------------------------------------------------

void TDBGrid::focusInEvent(QFocusEvent* event) {
    TControl::focusInEvent(event);
    update();
    announceGridFocus(*this);
}

void TDBGrid::focusOutEvent(QFocusEvent* event) {
    TControl::focusOutEvent(event);
    update();
    focusLeft(event);
}

void TDBGrid::editorFocusLost(QFocusEvent* event) {
    update();
    focusLeft(event);
}

void TDBGrid::focusLeft(QFocusEvent* event) {
    // The window losing activation (a message box, another program) is no
    // exit from the grid; nor is the focus moving between grid and editor.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    QWidget* now = QApplication::focusWidget();
    if (now && (now == this || isAncestorOf(now))) {
        return;
    }
    pressCell_.reset();
    TDataSet* dataSet = activeDataSet();
    if (dataSet) {
        if (options_.cancelOnExit && dataSet->state() == TDataSetState::dsInsert &&
            !dataSet->modified() && !editorModified()) {
            hideEditor();
            dataSet->cancel();
        } else if (editorModified()) {
            link_.updateRecord();
        }
    }
    hideEditor();
}

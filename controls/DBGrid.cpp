// The grid's settings, columns, layout and reactions to the record set.

#include "controls/DBGrid.h"

#include <QAccessible>
#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "component/Exceptions.h"
#include "controls/FontSetting.h"
#include "controls/GridAccessible.h"
#include "data/DataSet.h"
#include "data/Field.h"

namespace {

[[noreturn]] void rejectGridSetting(std::string_view name, const PropertyValue& value,
                                    const std::string& what) {
    throw EReadError("Line " + std::to_string(value.line) + ": " + std::string(name) + ": " + what);
}

// Applies the names of a stored set to flags; names it does not know are rejected.
template <typename Flags>
void readFlagSet(std::string_view name, const PropertyValue& value, Flags& flags,
                 std::initializer_list<std::pair<const char*, bool Flags::*>> known) {
    Flags result{};
    for (auto& [flagName, member] : known) {
        result.*member = false;
    }
    for (const std::string& item : value.items) {
        auto found = std::find_if(known.begin(), known.end(),
                                  [&](const auto& entry) { return item == entry.first; });
        if (found == known.end()) {
            rejectGridSetting(name, value, "unsupported value " + item);
        }
        result.*(found->second) = true;
    }
    flags = result;
}

}  // namespace

TDBGrid::TDBGrid(TComponent* owner) : TControl(owner) {
    installGridAccessibility();
    setDefaultTabStop(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // the resize cursor over title borders
    boxSize_ = GridCellPainter::checkBoxSize(*this);

    vScroll_ = new QScrollBar(Qt::Vertical, this);
    vScroll_->setFocusPolicy(Qt::NoFocus);
    vScroll_->setRange(0, 0);
    // Moves run from the event loop, not inside the scroll bar's own mouse
    // handling, so that a failing move reaches the error box cleanly.
    connect(vScroll_, &QAbstractSlider::actionTriggered, this, [this](int action) {
        const int position = vScroll_->sliderPosition();
        QMetaObject::invokeMethod(
            this, [this, action, position] { runScrollAction(action, position); },
            Qt::QueuedConnection);
    });
    hScroll_ = new QScrollBar(Qt::Horizontal, this);
    hScroll_->setFocusPolicy(Qt::NoFocus);
    hScroll_->hide();
    connect(hScroll_, &QAbstractSlider::valueChanged, this, [this](int value) {
        if (value != scrollX_) {
            scrollX_ = value;
            updateLayout();
        }
    });
    updateLayout();
}

TDBGrid::~TDBGrid() {
    // No notification may reach a grid that is going away.
    link_.setDataSource(nullptr);
}

// --- Settings ---------------------------------------------------------------

void TDBGrid::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "Columns") {
        for (const PropertyValue::Settings& item : value.collection) {
            addColumn().readSettings(item);
        }
        updateLayout();
    } else if (name == "Options") {
        TDBGridOptions options;
        readFlagSet(name, value, options,
                    {{"dgEditing", &TDBGridOptions::editing},
                     {"dgTitles", &TDBGridOptions::titles},
                     {"dgIndicator", &TDBGridOptions::indicator},
                     {"dgColumnResize", &TDBGridOptions::columnResize},
                     {"dgColLines", &TDBGridOptions::colLines},
                     {"dgRowLines", &TDBGridOptions::rowLines},
                     {"dgTabs", &TDBGridOptions::tabs},
                     {"dgConfirmDelete", &TDBGridOptions::confirmDelete},
                     {"dgCancelOnExit", &TDBGridOptions::cancelOnExit}});
        setOptions(options);
    } else if (name == "OptionsEx") {
        readFlagSet(name, value, optionsEx_,
                    {{"dgxFixed3D", &TDBGridOptionsEx::fixed3D},
                     {"dgxHighlightFocus", &TDBGridOptionsEx::highlightFocus},
                     {"dgxClearSelection", &TDBGridOptionsEx::clearSelection}});
        update();
    } else if (name == "AllowedOperations") {
        readFlagSet(name, value, allowed_,
                    {{"alopInsert", &TAllowedOperations::insert},
                     {"alopUpdate", &TAllowedOperations::update},
                     {"alopDelete", &TAllowedOperations::remove},
                     {"alopAppend", &TAllowedOperations::append}});
    } else if (name == "ReadOnly") {
        setReadOnly(value.asBool());
    } else if (name.starts_with("TitleFont.")) {
        if (!titleFont_) {
            titleFont_ = font();
        }
        applyFontSetting(*titleFont_, name.substr(10), value);
        updateLayout();
    } else if (name.starts_with("FooterFont.")) {
        // Kept with the grid; with no footer row it shows nowhere.
        if (!footerFont_) {
            footerFont_ = font();
        }
        applyFontSetting(*footerFont_, name.substr(11), value);
    } else if (name == "FooterColor") {
        footerColor_ = value.text;
    } else if (name == "FooterRowCount") {
        if (value.integer != 0) {
            rejectGridSetting(name, value, "the grid has no footer row");
        }
    } else if (name == "DataSource" && value.kind == PropertyValue::Kind::Reference) {
        // Resolved by the reader through readReference.
    } else {
        TControl::readSetting(name, value);
    }
}

void TDBGrid::readReference(std::string_view name, TComponent* target) {
    if (name == "DataSource") {
        auto* source = dynamic_cast<TDataSource*>(target);
        if (target && !source) {
            throw EReadError(this->name() + ".DataSource: " + target->name() +
                             " is not a data source");
        }
        setDataSource(source);
    } else {
        TControl::readReference(name, target);
    }
}

void TDBGrid::componentFreed(TComponent* component) {
    if (component == link_.dataSource()) {
        link_.setDataSource(nullptr);
    }
    TControl::componentFreed(component);
}

void TDBGrid::setDataSource(TDataSource* source) {
    if (source == link_.dataSource()) {
        return;
    }
    if (link_.dataSource()) {
        removeFreeNotification(link_.dataSource());
    }
    link_.setDataSource(source);
    if (source) {
        freeNotification(source);
    }
    // A source whose set is already active binds the columns now.
    linkActiveChanged();
}

void TDBGrid::setOptions(const TDBGridOptions& options) {
    options_ = options;
    updateLayout();
}

void TDBGrid::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (readOnly_) {
        hideEditor();
    }
}

const QFont& TDBGrid::titleFont() const {
    return titleFont_ ? *titleFont_ : font();
}

// --- Columns ----------------------------------------------------------------

TDBGridColumn& TDBGrid::addColumn() {
    if (defaultColumns_) {
        columns_.clear();
        defaultColumns_ = false;
    }
    columns_.push_back(std::make_unique<TDBGridColumn>());
    bindColumns();
    return *columns_.back();
}

void TDBGrid::moveColumn(int from, int to) {
    if (from < 0 || from >= columnCount() || to < 0 || to > columnCount() || to == from ||
        to == from + 1) {
        return;
    }
    commitEditor();
    TDBGridColumn* current = currentColumn_ < columnCount() ? &column(currentColumn_) : nullptr;
    auto moved = std::move(columns_[static_cast<std::size_t>(from)]);
    columns_.erase(columns_.begin() + from);
    columns_.insert(columns_.begin() + (to > from ? to - 1 : to), std::move(moved));
    for (int c = 0; c < columnCount(); ++c) {
        if (&column(c) == current) {
            currentColumn_ = c;
        }
    }
    updateLayout();
    announceGridStructureChanged(*this);
}

void TDBGrid::setColumnWidth(int column, int width) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    this->column(column).setWidth(std::max(1, width));
    updateLayout();
}

void TDBGrid::bindColumns() {
    TDataSet* dataSet = activeDataSet();
    if (defaultColumns_) {
        // One column per field of the active set, none while inactive.
        columns_.clear();
        if (dataSet) {
            for (TField* field : dataSet->fields()) {
                auto column = std::make_unique<TDBGridColumn>();
                column->setFieldName(field->fieldName());
                columns_.push_back(std::move(column));
            }
        }
    }
    for (auto& column : columns_) {
        column->setField(dataSet ? dataSet->findField(column->fieldName()) : nullptr);
    }
    currentColumn_ = std::clamp(currentColumn_, 0, std::max(0, columnCount() - 1));
}

// --- Layout -----------------------------------------------------------------

GridMetrics TDBGrid::measure() const {
    GridMetrics metrics;
    metrics.colLine = options_.colLines ? 1 : 0;
    metrics.rowLine = options_.rowLines ? 1 : 0;
    metrics.rowHeight = fontMetrics().height() + 4;
    metrics.titleHeight = options_.titles ? QFontMetrics(titleFont()).height() + 4 : 0;
    metrics.indicatorWidth = options_.indicator ? 12 : 0;
    return metrics;
}

void TDBGrid::updateLayout() {
    if (inLayout_) {
        return;
    }
    inLayout_ = true;
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const QRect inner = rect().adjusted(frame, frame, -frame, -frame);
    const int barWidth = vScroll_->sizeHint().width();
    const int barHeight = hScroll_->sizeHint().height();

    const GridMetrics metrics = measure();
    std::vector<int> widths;
    const QFontMetrics columnFont = fontMetrics();
    for (const auto& column : columns_) {
        widths.push_back(column->width(columnFont));
    }
    QRect viewport(inner.left(), inner.top(), std::max(0, inner.width() - barWidth),
                   inner.height());
    const bool needsHorizontal = GridGeometry(viewport, metrics, widths, 0).maxScrollX() > 0;
    if (needsHorizontal) {
        viewport.setHeight(std::max(0, inner.height() - barHeight));
    }
    GridGeometry unscrolled(viewport, metrics, widths, 0);
    scrollX_ = std::clamp(scrollX_, 0, unscrolled.maxScrollX());
    geometry_ = GridGeometry(viewport, metrics, std::move(widths), scrollX_);

    vScroll_->setGeometry(viewport.right() + 1, inner.top(), barWidth, viewport.height());
    hScroll_->setVisible(needsHorizontal);
    if (needsHorizontal) {
        hScroll_->setGeometry(inner.left(), viewport.bottom() + 1, viewport.width(), barHeight);
        const QSignalBlocker blocker(hScroll_);
        hScroll_->setRange(0, geometry_.maxScrollX());
        hScroll_->setPageStep(std::max(1, viewport.width() - geometry_.dataLeft()));
        hScroll_->setSingleStep(8);
        hScroll_->setValue(scrollX_);
    }
    inLayout_ = false;

    // The record window holds as many records as there are rows to show;
    // asking for another size re-reads it (and notifies).
    link_.setBufferCount(geometry_.visibleRowCount());
    placeEditor();
    rowsChanged();
}

void TDBGrid::ensureColumnVisible(int column) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    // Positions as they would be without any scrolling.
    const QRect cell = geometry_.dataCell(0, column);
    const int left = cell.left() + scrollX_;
    const int right = left + cell.width();
    const int viewLeft = geometry_.dataLeft();
    const int viewRight = geometry_.viewport().right() + 1;
    int scroll = scrollX_;
    if (right - scroll > viewRight) {
        scroll = right - viewRight;
    }
    if (left - scroll < viewLeft) {
        scroll = left - viewLeft;
    }
    if (scroll != scrollX_) {
        scrollX_ = scroll;
        updateLayout();
    }
}

void TDBGrid::syncVerticalScrollBar() {
    // The scroll bar stands for position numbers 1..record count.
    const QSignalBlocker blocker(vScroll_);
    TDataSet* dataSet = activeDataSet();
    const int records = dataSet ? dataSet->recordCount() : 0;
    if (records <= 0) {
        vScroll_->setRange(0, 0);
        vScroll_->setEnabled(false);
        return;
    }
    vScroll_->setRange(1, records);
    vScroll_->setPageStep(geometry_.visibleRowCount());
    vScroll_->setEnabled(records > 1);
    const int position = dataSet->recNo();
    if (position >= 1) {  // an unposted new record has none
        vScroll_->setValue(position);
    }
}

void TDBGrid::runScrollAction(int action, int position) {
    TDataSet* dataSet = activeDataSet();
    if (dataSet) {
        switch (action) {
            case QAbstractSlider::SliderSingleStepAdd:
                dataSet->next();
                break;
            case QAbstractSlider::SliderSingleStepSub:
                dataSet->prior();
                break;
            case QAbstractSlider::SliderPageStepAdd:
                dataSet->moveBy(geometry_.visibleRowCount());
                break;
            case QAbstractSlider::SliderPageStepSub:
                dataSet->moveBy(-geometry_.visibleRowCount());
                break;
            case QAbstractSlider::SliderToMinimum:
                dataSet->first();
                break;
            case QAbstractSlider::SliderToMaximum:
                dataSet->last();
                break;
            case QAbstractSlider::SliderMove:
                if (position >= 1 && position != dataSet->recNo()) {
                    dataSet->setRecNo(position);
                }
                break;
            default:
                break;
        }
    }
    // The bar shows where the record set is, whatever the bar did itself.
    syncVerticalScrollBar();
}

void TDBGrid::resizeEvent(QResizeEvent* event) {
    TControl::resizeEvent(event);
    updateLayout();
}

void TDBGrid::showEvent(QShowEvent* event) {
    TControl::showEvent(event);
    updateLayout();
}

void TDBGrid::changeEvent(QEvent* event) {
    TControl::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        if (event->type() == QEvent::StyleChange) {
            boxSize_ = GridCellPainter::checkBoxSize(*this);
        }
        if (editor_) {
            editor_->setFont(font());
        }
        updateLayout();
    } else if (event->type() == QEvent::ActivationChange) {
        update();  // the focus rectangle follows the window's activation
    }
}

// --- What is shown ----------------------------------------------------------

TDataSet* TDBGrid::activeDataSet() const {
    return link_.active() ? link_.dataSet() : nullptr;
}

int TDBGrid::shownRowCount() const {
    if (!link_.active()) {
        return 0;
    }
    return std::max(1, link_.recordCount());
}

bool TDBGrid::showsBlankRow() const {
    return link_.active() && link_.recordCount() == 0;
}

int TDBGrid::currentRow() const {
    if (!link_.active()) {
        return -1;
    }
    return showsBlankRow() ? 0 : link_.activeRecord();
}

QString TDBGrid::columnTitle(int column) const {
    return QString::fromStdString(this->column(column).title());
}

QString TDBGrid::cellText(int row, int column) const {
    TDataSet* dataSet = activeDataSet();
    TField* field = this->column(column).field();
    if (!dataSet || !field || row < 0 || row >= link_.recordCount()) {
        return {};
    }
    TDataSet::RowScope scope(*dataSet, link_.firstRecord() + row);
    return QString::fromStdString(field->displayText());
}

std::optional<TCheckBoxState> TDBGrid::cellCheckState(int row, int column) const {
    TDataSet* dataSet = activeDataSet();
    const TDBGridColumn& shown = this->column(column);
    if (!dataSet || !shown.isCheckBoxColumn() || row < 0 || row >= link_.recordCount()) {
        return std::nullopt;
    }
    TDataSet::RowScope scope(*dataSet, link_.firstRecord() + row);
    return shown.checkState();
}

QRect TDBGrid::cellRect(int row, int column) const {
    return geometry_.dataCell(row, column);
}

QRect TDBGrid::titleRect(int column) const {
    return geometry_.titleCell(column);
}

GridHit TDBGrid::hitTest(QPoint point) const {
    return geometry_.hitTest(point, shownRowCount());
}

bool TDBGrid::hasFocusWithin() const {
    return hasFocus() || (editor_ && editorShown_ && editor_->hasFocus());
}

bool TDBGrid::cellMayChange(int column) const {
    TDataSet* dataSet = activeDataSet();
    if (readOnly_ || !dataSet || column < 0 || column >= columnCount()) {
        return false;
    }
    const TDBGridColumn& cell = this->column(column);
    TField* field = cell.field();
    if (cell.readOnlySetting() || !field || field->readOnly() || !field->canModify()) {
        return false;
    }
    const bool inserting = dataSet->state() == TDataSetState::dsInsert;
    if (!allowed_.update && !inserting) {
        return false;
    }
    return !dataSet->isEmpty() || allowed_.insert || allowed_.append;
}

bool TDBGrid::accessibleEventsWanted() const {
    return eventSink_ || QAccessible::isActive();
}

void TDBGrid::sendAccessibleEvent(QAccessibleEvent* event) const {
    if (eventSink_) {
        eventSink_(event);
    } else {
        QAccessible::updateAccessibility(event);
    }
}

// --- Reactions to the record set -------------------------------------------

void TDBGrid::linkActiveChanged() {
    pressCell_.reset();
    if (!link_.active()) {
        hideEditor();
    }
    bindColumns();
    updateLayout();
    recordWindowChanged();
}

void TDBGrid::linkEditingChanged() {
    // The indicator mark of the current row changes.
    updateCurrentRow();
}

void TDBGrid::linkDataSetChanged() {
    recordWindowChanged();
}

void TDBGrid::linkDataSetScrolled(int /*distance*/) {
    recordWindowChanged();
}

void TDBGrid::recordWindowChanged() {
    if (editorShown_) {
        // Another record (or a re-read one) is current: the editor closes,
        // unless the re-read came from the edit request the editor made.
        if (inEditRequest_) {
            loadEditor();
        } else {
            hideEditor();
        }
    }
    rowsChanged();
}

void TDBGrid::rowsChanged() {
    syncVerticalScrollBar();
    update();
    const int rows = shownRowCount();
    if (rows != lastShownRows_) {
        lastShownRows_ = rows;
        announceGridStructureChanged(*this);
    }
}

void TDBGrid::updateCurrentRow() {
    const int row = currentRow();
    if (row < 0 || showsBlankRow()) {
        update();
        return;
    }
    const QRect viewport = geometry_.viewport();
    const QRect cells = geometry_.withLines(geometry_.indicatorCell(row));
    update(QRect(viewport.left(), cells.top(), viewport.width(), cells.height()) & viewport);
}

void TDBGrid::linkRecordChanged(TField* field) {
    updateCurrentRow();
    if (editorShown_ && currentColumn_ < columnCount() &&
        (!field || field == column(currentColumn_).field())) {
        loadEditor();
    }
    if (field) {
        for (int c = 0; c < columnCount(); ++c) {
            if (column(c).field() == field && column(c).isCheckBoxColumn()) {
                announceGridCellChanged(*this, currentRow(), c);
            }
        }
    }
}

void TDBGrid::linkUpdateData() {
    writeEditor();
}

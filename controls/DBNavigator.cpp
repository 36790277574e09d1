#include "controls/DBNavigator.h"

#include <QKeyEvent>
#include <algorithm>

#include "component/Exceptions.h"
#include "controls/Dialogs.h"
#include "controls/NavigatorAccessible.h"
#include "controls/NavigatorButton.h"
#include "data/DataSet.h"
#include "data/DataSource.h"

namespace {

// The smallest button the layout allows.
constexpr int minButtonWidth = 20;
constexpr int minHeight = 18;

}  // namespace

TDBNavigator::TDBNavigator(TComponent* owner) : TControl(owner) {
    installNavigatorAccessibility();
    for (TNavigateBtn kind : allNavigateBtns) {
        auto* button = new NavigatorButton(kind, this);
        button->setObjectName(QString::fromLatin1(navigateBtnName(kind)));
        button->setAutoRepeat(kind == nbPrior || kind == nbNext);
        button->onClick = [this, kind] { btnClick(kind); };
        button->onPress = [this, kind] { setMarked(kind); };
        buttons_[kind] = button;
    }
    link_.onActiveChange = [this] { updateButtons(ButtonGroup::All); };
    link_.onEditingChange = [this] { updateButtons(ButtonGroup::Editing); };
    link_.onDataChange = [this] { updateButtons(ButtonGroup::Moves); };
    resize(240, 25);
    applyLayout();
    updateButtons(ButtonGroup::All);
}

TDBNavigator::~TDBNavigator() {
    // The link leaves its data source with the members; the buttons must not
    // call back into a half-destroyed bar meanwhile.
    for (NavigatorButton* button : buttons_) {
        button->onClick = nullptr;
        button->onPress = nullptr;
    }
    link_.onActiveChange = nullptr;
    link_.onEditingChange = nullptr;
    link_.onDataChange = nullptr;
}

void TDBNavigator::setDataSource(TDataSource* source) {
    TDataSource* old = link_.dataSource();
    if (old && old != source) {
        removeFreeNotification(old);
    }
    link_.setDataSource(source);
    if (source) {
        freeNotification(source);
    }
    updateButtons(ButtonGroup::All);
}

void TDBNavigator::setVisibleButtons(TNavButtonSet buttons) {
    visibleButtons_ = buttons;
    if (!visibleButtons_.test(marked_)) {
        for (TNavigateBtn kind : allNavigateBtns) {
            if (visibleButtons_.test(kind)) {
                setMarked(kind);
                break;
            }
        }
    }
    applyLayout();
}

bool TDBNavigator::isButtonEnabled(TNavigateBtn button) const {
    return buttons_[button]->available();
}

QRect TDBNavigator::buttonRect(TNavigateBtn button) const {
    return buttons_[button]->geometry();
}

void TDBNavigator::btnClick(TNavigateBtn button) {
    TDataSource* source = link_.dataSource();
    if (!source || source->state() == TDataSetState::dsInactive || !source->dataSet()) {
        return;
    }
    TDataSet& set = *source->dataSet();
    switch (button) {
        case nbFirst:
            set.first();
            break;
        case nbPrior:
            set.prior();
            break;
        case nbNext:
            set.next();
            break;
        case nbLast:
            set.last();
            break;
        case nbInsert:
            set.insert();
            break;
        case nbDelete:
            if (!confirmDelete_ || ::confirmDelete()) {
                set.deleteRecord();
            }
            break;
        case nbEdit:
            set.edit();
            break;
        case nbPost:
            set.post();
            break;
        case nbCancel:
            set.cancel();
            break;
        case nbRefresh:
            set.refresh();
            break;
    }
}

// Each rule needs an open record set and an enabled bar; the moments at which
// a group is evaluated are the notifications that can change its inputs.
void TDBNavigator::updateButtons(ButtonGroup group) {
    TDataSource* source = link_.dataSource();
    TDataSet* set =
        source && source->state() != TDataSetState::dsInactive ? source->dataSet() : nullptr;
    const bool open = set && isEnabled();
    const bool bof = open && set->bof();
    const bool eof = open && set->eof();
    const bool modifiable = open && set->canModify();
    const bool editing = open && set->editing();
    auto apply = [&](TNavigateBtn kind, bool rule) { buttons_[kind]->setAvailable(open && rule); };
    if (group != ButtonGroup::Editing) {
        apply(nbFirst, !bof);
        apply(nbPrior, !bof);
        apply(nbNext, !eof);
        apply(nbLast, !eof);
        apply(nbDelete, modifiable && !(bof && eof));
    }
    if (group != ButtonGroup::Moves) {
        apply(nbInsert, modifiable);
        apply(nbEdit, modifiable && !editing);
        apply(nbPost, modifiable && editing);
        apply(nbCancel, modifiable && editing);
        apply(nbRefresh, modifiable);
    }
}

int TDBNavigator::visibleCount() const {
    return static_cast<int>(visibleButtons_.count());
}

// The width snaps to whole buttons of at least 20 pixels, the height to at
// least 18; the buttons share the bar without gaps.
void TDBNavigator::applyLayout() {
    const int count = std::max(1, visibleCount());
    if (!isLoading()) {
        int w = std::max(width(), minButtonWidth * count);
        w -= w % count;
        const int h = std::max(height(), minHeight);
        if (w != width() || h != height()) {
            resize(w, h);
        }
    }
    const int buttonWidth = width() / count;
    int x = 0;
    for (TNavigateBtn kind : allNavigateBtns) {
        NavigatorButton* button = buttons_[kind];
        if (visibleButtons_.test(kind)) {
            button->setGeometry(x, 0, buttonWidth, height());
            button->show();
            x += buttonWidth;
        } else {
            button->hide();
        }
    }
}

void TDBNavigator::setMarked(TNavigateBtn button) {
    marked_ = button;
    showFocusMark(hasFocus());
}

void TDBNavigator::showFocusMark(bool focused) {
    for (TNavigateBtn kind : allNavigateBtns) {
        buttons_[kind]->setFocusMarkShown(focused && kind == marked_);
    }
}

void TDBNavigator::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "VisibleButtons") {
        TNavButtonSet buttons;
        for (const std::string& item : value.items) {
            auto found =
                std::find_if(allNavigateBtns.begin(), allNavigateBtns.end(),
                             [&](TNavigateBtn kind) { return item == navigateBtnName(kind); });
            if (found == allNavigateBtns.end()) {
                throw EReadError("Line " + std::to_string(value.line) +
                                 ": Invalid property value " + item);
            }
            buttons.set(*found);
        }
        setVisibleButtons(buttons);
    } else if (name == "ConfirmDelete") {
        setConfirmDelete(value.asBool());
    } else if (name == "TabStop") {
        TControl::readSetting(name, value);
        // A tab stop, but still no focus on a click.
        setFocusPolicy(tabStop() ? Qt::TabFocus : Qt::NoFocus);
    } else {
        TControl::readSetting(name, value);
    }
}

void TDBNavigator::readReference(std::string_view name, TComponent* target) {
    if (name != "DataSource") {
        TControl::readReference(name, target);
        return;
    }
    auto* source = dynamic_cast<TDataSource*>(target);
    if (target && !source) {
        throw EReadError(this->name() + ".DataSource: " + target->name() + " is not a data source");
    }
    setDataSource(source);
}

void TDBNavigator::componentFreed(TComponent* component) {
    TControl::componentFreed(component);
    // A data source that goes unlinks its links first; the buttons follow.
    updateButtons(ButtonGroup::All);
}

void TDBNavigator::loaded() {
    TControl::loaded();
    applyLayout();
    updateButtons(ButtonGroup::All);
}

void TDBNavigator::resizeEvent(QResizeEvent* event) {
    TControl::resizeEvent(event);
    applyLayout();
}

void TDBNavigator::changeEvent(QEvent* event) {
    TControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        updateButtons(ButtonGroup::All);
    }
}

void TDBNavigator::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right: {
            // The mark visits every shown button, available or not, and stops
            // at either end.
            const int step = event->key() == Qt::Key_Left ? -1 : 1;
            for (int i = marked_ + step; i >= 0 && i < navigateBtnCount; i += step) {
                if (visibleButtons_.test(i)) {
                    setMarked(static_cast<TNavigateBtn>(i));
                    break;
                }
            }
            break;
        }
        case Qt::Key_Up:
        case Qt::Key_Down:
            // Claimed, so the window's arrow-key navigation does not move on.
            break;
        case Qt::Key_Space:
            // Every key-down counts, auto-repeated ones too.
            event->accept();
            if (isButtonEnabled(marked_)) {
                btnClick(marked_);
            }
            return;
        default:
            TControl::keyPressEvent(event);
            return;
    }
    event->accept();
}

void TDBNavigator::focusInEvent(QFocusEvent* event) {
    TControl::focusInEvent(event);
    showFocusMark(true);
}

void TDBNavigator::focusOutEvent(QFocusEvent* event) {
    TControl::focusOutEvent(event);
    showFocusMark(false);
}

// Presses that reach the bar itself (beside hidden buttons) end here and do
// not reach the window behind.
void TDBNavigator::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
void TDBNavigator::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
void TDBNavigator::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

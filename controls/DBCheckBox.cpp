#include "controls/DBCheckBox.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <exception>

#include "component/Exceptions.h"
#include "controls/CheckBoxAccessible.h"
#include "data/DataSource.h"
#include "data/FieldDataLink.h"

namespace {

PropertyValue integerSetting(int value) {
    PropertyValue setting;
    setting.kind = PropertyValue::Kind::Integer;
    setting.integer = value;
    return setting;
}

const std::string& textSetting(const TComponent& component, std::string_view name,
                               const PropertyValue& value) {
    if (value.kind != PropertyValue::Kind::String) {
        throw EReadError("Line " + std::to_string(value.line) + ": " + component.name() + "." +
                         std::string(name) + " expects a text");
    }
    return value.text;
}

// A toggle turns clear into ticked and back, and grey into ticked, so a user
// never makes a box grey; with AllowGrayed grey joins the cycle after ticked.
TCheckBoxState nextState(TCheckBoxState state, bool allowGrayed) {
    switch (state) {
        case TCheckBoxState::cbUnchecked:
            return TCheckBoxState::cbChecked;
        case TCheckBoxState::cbChecked:
            return allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked;
        case TCheckBoxState::cbGrayed:
            break;
    }
    return allowGrayed ? TCheckBoxState::cbUnchecked : TCheckBoxState::cbChecked;
}

}  // namespace

TDBCheckBox::TDBCheckBox(TComponent* owner) : TControl(owner) {
    installCheckBoxAccessibility();
    // The size a new check box has unless the description stores another.
    TControl::readSetting("Width", integerSetting(97));
    TControl::readSetting("Height", integerSetting(17));
    setDefaultTabStop(true);
    setAttribute(Qt::WA_Hover);
}

TDBCheckBox::~TDBCheckBox() {
    if (link_) {
        // The link leaves its data source as it goes; the box no longer listens.
        link_->onDataChange = nullptr;
        link_->onEditingChange = nullptr;
        link_->onUpdateData = nullptr;
    }
}

TFieldDataLink& TDBCheckBox::link() {
    // Made on first use, once the box has its name: binding errors carry it.
    if (!link_) {
        link_ = std::make_unique<TFieldDataLink>(name());
        // Binding, dropping and every data change that concerns the field
        // end in onDataChange.
        link_->onDataChange = [this] { readField(); };
        link_->onUpdateData = [this] { writeField(); };
        link_->onEditingChange = [this] {
            // Editing began or ended: a toggle made before belongs to no edit.
            if (link_->modified()) {
                link_->reset();
            }
        };
    }
    return *link_;
}

void TDBCheckBox::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "Caption") {
        setCaption(QString::fromStdString(textSetting(*this, name, value)));
    } else if (name == "DataField") {
        setDataField(textSetting(*this, name, value));
    } else if (name == "ValueChecked") {
        setValueChecked(textSetting(*this, name, value));
    } else if (name == "ValueUnchecked") {
        setValueUnchecked(textSetting(*this, name, value));
    } else if (name == "AllowGrayed") {
        setAllowGrayed(value.asBool());
    } else if (name == "ReadOnly") {
        setReadOnly(value.asBool());
    } else if (name == "Alignment" && value.kind == PropertyValue::Kind::Identifier &&
               (value.text == "taLeftJustify" || value.text == "taRightJustify")) {
        setAlignment(value.text == "taLeftJustify" ? TAlignment::taLeftJustify
                                                   : TAlignment::taRightJustify);
    } else {
        TControl::readSetting(name, value);
    }
}

void TDBCheckBox::readReference(std::string_view name, TComponent* target) {
    auto* source = dynamic_cast<TDataSource*>(target);
    if (name != "DataSource" || (target && !source)) {
        TControl::readReference(name, target);
        return;
    }
    setDataSource(source);
}

void TDBCheckBox::componentFreed(TComponent* component) {
    if (link_ && component == link_->dataSource()) {
        link_->setDataSource(nullptr);
    }
    TControl::componentFreed(component);
}

void TDBCheckBox::setCaption(const QString& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    update();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

std::string TDBCheckBox::dataField() const {
    return link_ ? link_->fieldName() : std::string();
}

void TDBCheckBox::setDataField(std::string fieldName) {
    link().setFieldName(std::move(fieldName));
}

TDataSource* TDBCheckBox::dataSource() const {
    return link_ ? link_->dataSource() : nullptr;
}

void TDBCheckBox::setDataSource(TDataSource* source) {
    if (TDataSource* old = dataSource()) {
        removeFreeNotification(old);
    }
    link().setDataSource(source);
    if (source) {
        freeNotification(source);
    }
}

TField* TDBCheckBox::field() const {
    return link_ ? link_->field() : nullptr;
}

void TDBCheckBox::setValueChecked(std::string values) {
    valueChecked_ = std::move(values);
    readField();
}

void TDBCheckBox::setValueUnchecked(std::string values) {
    valueUnchecked_ = std::move(values);
    readField();
}

void TDBCheckBox::setAlignment(TAlignment alignment) {
    alignment_ = alignment;
    update();
}

bool TDBCheckBox::readOnly() const {
    return link_ && link_->readOnly();
}

void TDBCheckBox::setReadOnly(bool readOnly) {
    link().setReadOnly(readOnly);
}

bool TDBCheckBox::togglePending() const {
    return link_ && link_->modified();
}

void TDBCheckBox::toggle() {
    // The edit request may begin Edit or insert a record; its notifications
    // have made the box read its field again before the state advances.
    if (!link().edit()) {
        return;
    }
    setShownState(nextState(state_, allowGrayed_));
    link().modify();
}

void TDBCheckBox::readField() {
    setShownState(checkStateOf(field(), valueChecked_, valueUnchecked_));
}

void TDBCheckBox::writeField() {
    writeCheckState(field(), state_, valueChecked_, valueUnchecked_);
}

void TDBCheckBox::discardPending() {
    if (link_) {
        link_->reset();
    } else {
        readField();
    }
}

void TDBCheckBox::setShownState(TCheckBoxState state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    update();
    QAccessible::State changed;
    changed.checked = true;
    changed.checkStateMixed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void TDBCheckBox::setDown(bool down) {
    if (down != down_) {
        down_ = down;
        update();
    }
}

void TDBCheckBox::initStyleOption(QStyleOptionButton* option) const {
    option->initFrom(this);
    option->text = caption_;
    // The box stands on the side opposite the caption's alignment.
    if (alignment_ == TAlignment::taLeftJustify) {
        option->direction = Qt::RightToLeft;
    }
    switch (state_) {
        case TCheckBoxState::cbUnchecked:
            option->state |= QStyle::State_Off;
            break;
        case TCheckBoxState::cbChecked:
            option->state |= QStyle::State_On;
            break;
        case TCheckBoxState::cbGrayed:
            option->state |= QStyle::State_NoChange;
            break;
    }
    if (down_) {
        option->state |= QStyle::State_Sunken;
    }
    if (hasFocus()) {
        // The focus rectangle shows however the focus arrived.
        option->state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    }
}

void TDBCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_CheckBox, option);
}

void TDBCheckBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        TControl::mousePressEvent(event);
        return;
    }
    event->accept();
    if (!(focusPolicy() & Qt::ClickFocus)) {
        setFocus(Qt::MouseFocusReason);
    }
    // The control that held the focus may have kept it (its pending edit
    // could not be written): then this click is dropped.
    if (!hasFocus() && isActiveWindow()) {
        return;
    }
    mousePressed_ = true;
    setDown(true);
}

void TDBCheckBox::mouseMoveEvent(QMouseEvent* event) {
    if (mousePressed_) {
        setDown(rect().contains(event->position().toPoint()));
    }
    event->accept();
}

void TDBCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !mousePressed_) {
        TControl::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    mousePressed_ = false;
    setDown(false);
    if (rect().contains(event->position().toPoint())) {
        toggle();
    }
}

void TDBCheckBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
            event->accept();
            if (event->isAutoRepeat()) {
                return;
            }
            // The edit request goes with the key going down; the toggle
            // follows when it comes up.
            spacePressed_ = true;
            setDown(true);
            try {
                link().edit();
            } catch (...) {
                spacePressed_ = false;
                setDown(false);
                throw;
            }
            return;
        case Qt::Key_Backspace:
            event->accept();
            link().edit();
            return;
        case Qt::Key_Escape:
            event->accept();
            discardPending();
            return;
        default:
            // Arrow keys and the rest go on to the window.
            TControl::keyPressEvent(event);
    }
}

void TDBCheckBox::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        TControl::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (!spacePressed_) {
        return;
    }
    spacePressed_ = false;
    setDown(false);
    toggle();
}

void TDBCheckBox::focusInEvent(QFocusEvent* event) {
    TControl::focusInEvent(event);
    update();
}

void TDBCheckBox::focusOutEvent(QFocusEvent* event) {
    mousePressed_ = false;
    spacePressed_ = false;
    setDown(false);
    TControl::focusOutEvent(event);
    update();
    writeAsFocusLeaves(event);
}

void TDBCheckBox::writeAsFocusLeaves(QFocusEvent* event) {
    if (!togglePending() || event->reason() == Qt::ActiveWindowFocusReason ||
        event->reason() == Qt::PopupFocusReason) {
        return;
    }
    // Only a move to another control of this window writes; the focus leaving
    // the window altogether (another window, a message box) does not.
    QWidget* next = QApplication::focusWidget();
    if (!next || next == this || next->window() != window()) {
        return;
    }
    try {
        link().updateRecord();
    } catch (...) {
        // The write failed: the focus comes back and the toggle stays
        // pending. Qt has already committed to this focus change, so an error
        // thrown here would not stop it; it is raised again from the event
        // loop instead, where every error reaches the error box. The control
        // that was receiving the focus sees that it did not arrive.
        setFocus(Qt::OtherFocusReason);
        QMetaObject::invokeMethod(
            this, [error = std::current_exception()] { std::rethrow_exception(error); },
            Qt::QueuedConnection);
    }
}

void TDBCheckBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        mousePressed_ = false;
        spacePressed_ = false;
        setDown(false);
    }
    TControl::changeEvent(event);
}

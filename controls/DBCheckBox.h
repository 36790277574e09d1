#pragma once
// TDBCheckBox: a check box that shows and edits one field of the current
// record. Its state is read from the field at every data change that concerns
// it; a user's toggle is held pending and written into the field only when the
// focus moves to another control of the window or when the record set asks
// its controls for their pending edits.

#include <memory>
#include <string>

#include "controls/Control.h"
#include "data/CheckState.h"
#include "data/Field.h"

class QStyleOptionButton;
class TDataSource;
class TFieldDataLink;

class TDBCheckBox : public TControl {
    Q_OBJECT
public:
    explicit TDBCheckBox(TComponent* owner = nullptr);
    ~TDBCheckBox() override;
    const char* className() const override { return "TDBCheckBox"; }

    // Caption, DataField, ValueChecked, ValueUnchecked, Alignment, AllowGrayed
    // and ReadOnly, plus the control's own settings; DataSource as a reference.
    void readSetting(std::string_view name, const PropertyValue& value) override;
    void readReference(std::string_view name, TComponent* target) override;
    void componentFreed(TComponent* component) override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    std::string dataField() const;
    void setDataField(std::string fieldName);
    TDataSource* dataSource() const;
    void setDataSource(TDataSource* source);
    // The bound field; nullptr while the record set is Inactive.
    TField* field() const;

    // ";"-separated alternatives; a write uses the first one.
    const std::string& valueChecked() const { return valueChecked_; }
    void setValueChecked(std::string values);
    const std::string& valueUnchecked() const { return valueUnchecked_; }
    void setValueUnchecked(std::string values);

    // taRightJustify (default): the caption stands right of the box.
    TAlignment alignment() const { return alignment_; }
    void setAlignment(TAlignment alignment);
    // Off (default): a toggle never makes the box grey.
    bool allowGrayed() const { return allowGrayed_; }
    void setAllowGrayed(bool allow) { allowGrayed_ = allow; }
    bool readOnly() const;
    void setReadOnly(bool readOnly);

    // What the box shows: unchecked until the field is first read.
    TCheckBoxState state() const { return state_; }
    // A user's toggle that is not yet written into the field.
    bool togglePending() const;

    // A toggle as a click makes it: the edit request, then the next state,
    // held pending. Does nothing when the field cannot be modified.
    void toggle();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TFieldDataLink& link();
    void readField();
    void writeField();
    void discardPending();
    void setShownState(TCheckBoxState state);
    void setDown(bool down);
    void writeAsFocusLeaves(QFocusEvent* event);
    void initStyleOption(QStyleOptionButton* option) const;

    std::unique_ptr<TFieldDataLink> link_;
    QString caption_;
    std::string valueChecked_ = "True";
    std::string valueUnchecked_ = "False";
    TAlignment alignment_ = TAlignment::taRightJustify;
    bool allowGrayed_ = false;
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    // A mouse press or Space that may end in a toggle; `down_` draws it sunken.
    bool mousePressed_ = false;
    bool spacePressed_ = false;
    bool down_ = false;
};

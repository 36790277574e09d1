#pragma once
// TDBNavigator: a bar of picture buttons (first, prior, next, last, insert,
// delete, edit, post, cancel, refresh) that calls the record set's operations
// through its data source and enables each button by the record set's state.
//
// Focus: the bar is not a tab stop and a click on it leaves the focus where
// it is (its buttons are Qt::NoFocus, and so is the bar itself). The window's
// arrow-key navigation gives it the focus with setFocus(), which Qt grants
// whatever the focus policy; Tab and Shift+Tab from it then go on through the
// window's focus chain. While focused it marks one button with a dotted focus
// rectangle; Left and Right move the mark, Space clicks the marked button.

#include <array>

#include "controls/Control.h"
#include "controls/NavigatorButtonKinds.h"
#include "controls/NavigatorDataLink.h"

class NavigatorButton;
class TDataSource;

class TDBNavigator : public TControl {
    Q_OBJECT
public:
    explicit TDBNavigator(TComponent* owner = nullptr);
    ~TDBNavigator() override;
    const char* className() const override { return "TDBNavigator"; }

    TDataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(TDataSource* source);

    // Which buttons the bar shows (all ten by default).
    TNavButtonSet visibleButtons() const { return visibleButtons_; }
    void setVisibleButtons(TNavButtonSet buttons);

    // Whether Delete asks "Delete record?" first (on by default).
    bool confirmDelete() const { return confirmDelete_; }
    void setConfirmDelete(bool confirm) { confirmDelete_ = confirm; }

    // Whether the button's operation is available now.
    bool isButtonEnabled(TNavigateBtn button) const;
    // The button that Space clicks while the bar has the focus.
    TNavigateBtn markedButton() const { return marked_; }
    // The button's place in the bar.
    QRect buttonRect(TNavigateBtn button) const;
    NavigatorButton* button(TNavigateBtn button) const { return buttons_[button]; }

    // Runs the button's operation on the record set (Delete asks first when
    // ConfirmDelete is on). Does nothing without an open record set. Errors
    // of the operation propagate to the caller.
    void btnClick(TNavigateBtn button);

    // DataSource (a reference), VisibleButtons, ConfirmDelete; TabStop makes
    // the bar a tab stop without making it take the focus on a click.
    void readSetting(std::string_view name, const PropertyValue& value) override;
    void readReference(std::string_view name, TComponent* target) override;
    void componentFreed(TComponent* component) override;
    void loaded() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class ButtonGroup { All, Moves, Editing };
    void updateButtons(ButtonGroup group);
    void applyLayout();
    void setMarked(TNavigateBtn button);
    void showFocusMark(bool focused);
    int visibleCount() const;

    NavigatorDataLink link_;
    std::array<NavigatorButton*, navigateBtnCount> buttons_{};
    TNavButtonSet visibleButtons_ = allNavButtons();
    TNavigateBtn marked_ = nbFirst;
    bool confirmDelete_ = true;
};

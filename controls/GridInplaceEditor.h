#pragma once
// The grid's in-place editor for a text column: a line edit laid over the
// current cell. It keeps its keys for editing the text and hands the keys that
// move around the grid back to the grid. Before any key changes the text, it
// asks the grid for leave to modify (the grid's edit request), so that typing
// puts the record set into Edit; a key that gets no leave changes nothing.

#include <QLineEdit>

class QFocusEvent;
class QKeyEvent;

// What the editor needs of the grid it sits in.
class InplaceEditorOwner {
public:
    virtual ~InplaceEditorOwner() = default;
    // A key that moves in the grid or ends editing (Tab, arrows at the ends
    // of the text, Up, Down, Enter, Esc, ...).
    virtual void editorNavigationKey(QKeyEvent* event) = 0;
    // The edit request; false refuses the change.
    virtual bool editorMayModify() = 0;
    // The editor lost the keyboard focus.
    virtual void editorFocusLost(QFocusEvent* event) = 0;
};

class GridInplaceEditor : public QLineEdit {
    Q_OBJECT
public:
    GridInplaceEditor(InplaceEditorOwner& owner, QWidget* grid);

    // Replaces the text with the field's and selects it all, unless it
    // already shows that text (a reload keeps the caret where it is).
    void load(const QString& text);

    // The field's size: the most bytes its text may take as stored (UTF-8),
    // so that nothing typed is cut off, least of all inside a character.
    // 0: no limit.
    void setByteLimit(int bytes);

    // Whether `event` would change the text.
    static bool changesText(const QKeyEvent* event);
    // Whether `event` belongs to the grid rather than to the editor, given
    // where the caret is.
    bool isNavigationKey(const QKeyEvent* event) const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    InplaceEditorOwner& owner_;
    int byteLimit_ = 0;
};

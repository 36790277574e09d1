#include "controls/GridInplaceEditor.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>
#include <algorithm>

namespace {

// Accepts a text while its stored form fits the limit.
class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(const int& limit, QObject* parent) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int& /*position*/) const override {
        return limit_ <= 0 || input.toUtf8().size() <= limit_ ? Acceptable : Invalid;
    }

private:
    const int& limit_;
};

}  // namespace

GridInplaceEditor::GridInplaceEditor(InplaceEditorOwner& owner, QWidget* grid)
    : QLineEdit(grid), owner_(owner) {
    setFrame(false);
    // Text can change only through keys, which ask for the edit request
    // first; a context menu or a drop would bypass it.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
    setValidator(new ByteLimitValidator(byteLimit_, this));
    hide();
}

void GridInplaceEditor::setByteLimit(int bytes) {
    byteLimit_ = bytes;
    setMaxLength(bytes > 0 ? bytes : 32767);
}

void GridInplaceEditor::load(const QString& text) {
    if (this->text() == text) {
        setModified(false);
        return;
    }
    setText(text);
    selectAll();
}

bool GridInplaceEditor::changesText(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        return true;
    }
    for (QKeySequence::StandardKey editing :
         {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
          QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
          QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine}) {
        if (event->matches(editing)) {
            return true;
        }
    }
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & Qt::ControlModifier)) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

bool GridInplaceEditor::isNavigationKey(const QKeyEvent* event) const {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return true;
        case Qt::Key_Insert:
            return modifiers == Qt::NoModifier;
        case Qt::Key_Home:
        case Qt::Key_End:
            return modifiers & Qt::ControlModifier;
        case Qt::Key_Delete:
            return modifiers == Qt::ControlModifier;
        case Qt::Key_Left:
            return modifiers == Qt::NoModifier && cursorPosition() == 0 && !hasSelectedText();
        case Qt::Key_Right:
            return modifiers == Qt::NoModifier && cursorPosition() == text().size() &&
                   !hasSelectedText();
        default:
            return false;
    }
}

bool GridInplaceEditor::event(QEvent* event) {
    // Tab would otherwise move the focus on to the next control.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            owner_.editorNavigationKey(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void GridInplaceEditor::keyPressEvent(QKeyEvent* event) {
    if (isNavigationKey(event)) {
        owner_.editorNavigationKey(event);
        return;
    }
    if (changesText(event) && !owner_.editorMayModify()) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void GridInplaceEditor::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && !owner_.editorMayModify()) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void GridInplaceEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    owner_.editorFocusLost(event);
}

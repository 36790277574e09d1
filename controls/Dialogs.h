#pragma once
// Everything that asks the user something goes through one small interface:
// the error box, the "Confirm" question and the start-up failure box. The real
// implementation shows a QMessageBox; tests install a scripted one.

#include <QString>
#include <vector>

enum class DialogIcon { Error, Question, Warning, Information };
enum class DialogButton { Ok, Cancel };

struct DialogRequest {
    QString caption;
    DialogIcon icon = DialogIcon::Information;
    QString text;
    std::vector<DialogButton> buttons{DialogButton::Ok};
    DialogButton defaultButton = DialogButton::Ok;
    // The answer when the box is closed or Esc is pressed.
    DialogButton escapeButton = DialogButton::Ok;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows a modal box and returns the button that closed it.
    virtual DialogButton show(const DialogRequest& request) = 0;
};

// The dialogs in force: the QMessageBox one unless another was installed.
Dialogs& dialogs();
// Installs `replacement` (not owned); nullptr restores the QMessageBox one.
void installDialogs(Dialogs* replacement);

// "Confirm" with the question icon, "Delete record?", OK (default) and
// Cancel (Esc). True only for OK.
bool confirmDelete();

#include "controls/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toQt(DialogIcon icon) {
    switch (icon) {
        case DialogIcon::Error:
            return QMessageBox::Critical;
        case DialogIcon::Question:
            return QMessageBox::Question;
        case DialogIcon::Warning:
            return QMessageBox::Warning;
        case DialogIcon::Information:
            break;
    }
    return QMessageBox::Information;
}

class MessageBoxDialogs : public Dialogs {
public:
    DialogButton show(const DialogRequest& request) override {
        QMessageBox box(toQt(request.icon), request.caption, request.text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        QAbstractButton* escape = nullptr;
        std::vector<std::pair<QAbstractButton*, DialogButton>> buttons;
        for (DialogButton button : request.buttons) {
            QPushButton* added = button == DialogButton::Ok
                                     ? box.addButton(QMessageBox::tr("OK"), QMessageBox::AcceptRole)
                                     : box.addButton(QMessageBox::tr("Cancel"),
                                                     QMessageBox::RejectRole);
            buttons.emplace_back(added, button);
            if (button == request.defaultButton) {
                box.setDefaultButton(added);
            }
            if (button == request.escapeButton) {
                escape = added;
            }
        }
        if (escape) {
            box.setEscapeButton(escape);
        }
        box.exec();
        for (const auto& [widget, button] : buttons) {
            if (box.clickedButton() == widget) {
                return button;
            }
        }
        return request.escapeButton;
    }
};

MessageBoxDialogs& messageBoxDialogs() {
    static MessageBoxDialogs instance;
    return instance;
}

Dialogs* installed = nullptr;

}  // namespace

Dialogs& dialogs() { return installed ? *installed : messageBoxDialogs(); }

void installDialogs(Dialogs* replacement) { installed = replacement; }

bool confirmDelete() {
    DialogRequest request;
    request.caption = QStringLiteral("Confirm");
    request.icon = DialogIcon::Question;
    request.text = QStringLiteral("Delete record?");
    request.buttons = {DialogButton::Ok, DialogButton::Cancel};
    request.defaultButton = DialogButton::Ok;
    request.escapeButton = DialogButton::Cancel;
    return dialogs().show(request) == DialogButton::Ok;
}

// Errors raised while the event loop runs reach the error box, and the
// program works on afterwards.

#include <gtest/gtest.h>

#include "tests/app/QStringPrinter.h"

#include <QIcon>
#include <QWidget>
#include <functional>

#include "app/Application.h"
#include "component/Exceptions.h"
#include "data/DBErrors.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

TApplication& application() {
    return *static_cast<TApplication*>(QApplication::instance());
}

// Raises whatever it is told to when it receives a user event.
class RaisingWidget : public QWidget {
public:
    std::function<void()> raise;
    int handled = 0;

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) {
            ++handled;
            if (raise) {
                raise();
            }
            return true;
        }
        return QWidget::event(event);
    }
};

bool sendUserEvent(QWidget& widget) {
    QEvent event(QEvent::User);
    return QApplication::sendEvent(&widget, &event);
}

struct RaisedError {
    const char* what;
    std::function<void()> raise;
    const char* text;  // nullptr: no box
};

TEST(ErrorBox, ShowsEachErrorCaptionedWithTheApplicationTitle) {
    const RaisedError errors[] = {
        {"record-set error",
         [] { throw EDatabaseError("ClientDataSet1: Missing data provider or data packet"); },
         "ClientDataSet1: Missing data provider or data packet."},
        {"message ending in a full stop", [] { throw Exception("Already said."); },
         "Already said."},
        {"field-value error",
         [] { throw EDatabaseError("'abc' is not a valid integer value for field 'AInt'"); },
         "'abc' is not a valid integer value for field 'AInt'"},  // "'" sorts before "."
        {"engine error", [] { throw EDBClient("Record not found", 3); }, "Record not found."},
        {"any C++ error", [] { throw std::runtime_error("out of range 12"); }, "out of range 12."},
        {"empty message", [] { throw Exception(""); }, ""},
        {"silent abort", [] { throw EAbort(); }, nullptr},
    };
    EXPECT_EQ(application().title(), "App_tests");
    for (const RaisedError& error : errors) {
        SCOPED_TRACE(error.what);
        ScriptedDialogs dialogs;
        RaisingWidget widget;
        widget.raise = error.raise;
        EXPECT_FALSE(sendUserEvent(widget));
        if (!error.text) {
            EXPECT_TRUE(dialogs.shown.empty());
            continue;
        }
        ASSERT_EQ(dialogs.shown.size(), 1u);
        const DialogRequest& box = dialogs.shown[0];
        EXPECT_EQ(box.caption, "App_tests");
        EXPECT_EQ(box.icon, DialogIcon::Error);
        EXPECT_EQ(box.text, QString::fromUtf8(error.text));
        EXPECT_EQ(box.buttons, std::vector<DialogButton>{DialogButton::Ok});

        // After OK the program goes on: the next event is handled as usual.
        widget.raise = nullptr;
        EXPECT_TRUE(sendUserEvent(widget));
        EXPECT_EQ(widget.handled, 2);
        EXPECT_EQ(dialogs.shown.size(), 1u);
    }
}

TEST(ErrorBox, CancelsAMouseCaptureBeforeShowing) {
    RaisingWidget widget;
    widget.show();
    widget.grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &widget);
    QWidget* grabberDuringBox = &widget;
    widget.raise = [&] { throw Exception("Failed"); };
    struct SeeingDialogs : ScriptedDialogs {
        QWidget** seen;
        DialogButton show(const DialogRequest& request) override {
            *seen = QWidget::mouseGrabber();
            return ScriptedDialogs::show(request);
        }
    } seeing;
    seeing.seen = &grabberDuringBox;
    sendUserEvent(widget);
    EXPECT_EQ(grabberDuringBox, nullptr);
    EXPECT_EQ(seeing.shown.size(), 1u);
}

}  // namespace

namespace {

TEST(Application, CarriesTheProgramIconForItsWindows) {
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32));
}

}  // namespace

// The grid repaints only what a change touches (the current row after a field
// write or the start of an edit); what the screen shows afterwards must still
// be what a full repaint of the window gives.

#include <QScreen>
#include <functional>

#include "tests/controls/grid_fixture.h"

namespace gridtest {
namespace {

struct Change;

class Repaint : public GridFixture, public testing::WithParamInterface<Change> {
public:
    using GridFixture::click;
    using GridFixture::data;
    using GridFixture::grid;
    using GridFixture::set;

    void addRecords() {
        for (int i = 0; i < 12; ++i) {
            addRecord({i % 2, "row " + std::to_string(i), i % 3 == 0, i % 2 ? "aa" : "bb"});
        }
        set().first();
        set().moveBy(3);
    }
    // The window as the screen shows it, and as a full repaint draws it.
    QImage onScreen() const {
        return window.screen()
            ->grabWindow(window.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage repainted() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

struct Change {
    const char* what;
    std::function<void(Repaint&)> run;
};

void PrintTo(const Change& change, std::ostream* out) {
    *out << change.what;
}

TEST_P(Repaint, LeavesTheScreenAsAFullRepaintDrawsIt) {
    addRecords();
    QApplication::processEvents();
    GetParam().run(*this);
    QApplication::processEvents();
    EXPECT_EQ(onScreen(), repainted()) << GetParam().what;
}

const Change kChanges[] = {
    {"a click toggling the current record's AInt cell",
     [](Repaint& f) { f.click(f.grid->currentRow(), kAInt); }},
    {"a click toggling a check box in another row",
     [](Repaint& f) { f.click(f.grid->currentRow() + 2, kStrShowCheck); }},
    {"two toggles of the same cell",
     [](Repaint& f) {
         f.click(f.grid->currentRow(), kStrShowCheck);
         QApplication::processEvents();
         f.click(f.grid->currentRow(), kStrShowCheck);
     }},
    {"an edit started by code", [](Repaint& f) { f.set().edit(); }},
    {"fields written by code while editing",
     [](Repaint& f) {
         f.set().edit();
         f.data.aStr->setAsString("changed");
         f.data.aBoolean->clear();
     }},
    {"a toggle, then a post",
     [](Repaint& f) {
         f.click(f.grid->currentRow(), kAInt);
         QApplication::processEvents();
         f.set().post();
     }},
    {"a toggle, then a move to the next record",
     [](Repaint& f) {
         f.click(f.grid->currentRow(), kAInt);
         QApplication::processEvents();
         f.set().next();
     }},
    {"a toggle, then a cancel",
     [](Repaint& f) {
         f.click(f.grid->currentRow(), kAInt);
         QApplication::processEvents();
         f.set().cancel();
     }},
};

INSTANTIATE_TEST_SUITE_P(Changes, Repaint, testing::ValuesIn(kChanges));

}  // namespace
}  // namespace gridtest

// What the grid does to paint quickly must not show: it repaints only what a
// change touches (the current row after a field write or the start of an
// edit), yet the screen then shows what a full repaint draws; and it copies
// its check boxes from images drawn once, yet every box has the pixels the
// style draws for its state and background.

#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <functional>

#include "controls/GridCellPainter.h"
#include "controls/GridGeometry.h"

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

class CheckBoxImages : public GridFixture {
protected:
    // The style's box for `state` drawn straight onto the cell's background.
    QImage styleBox(QStyle::State state, QSize size, const QColor& background) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(background);
        QPainter painter(&image);
        QStyleOptionButton option;
        option.initFrom(grid);
        option.rect = QRect(QPoint(0, 0), size);
        option.state = QStyle::State_Enabled | state;
        grid->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, grid);
        return image;
    }
    QImage shownBox(int row, int column) const {
        const QRect box =
            checkBoxRect(grid->cellRect(row, column), GridCellPainter::checkBoxSize(*grid));
        return grid->grab(box).toImage().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(CheckBoxImages, EveryBoxHasThePixelsTheStyleDrawsForItsStateAndBackground) {
    // AInt 1, 0 and null: ticked, clear and grey; the same again in
    // StrShowCheck with aa, bb and null.
    addRecord({1, "a", true, "aa"});
    addRecord({0, "b", false, "bb"});
    addRecord({std::nullopt, "c", std::nullopt, std::nullopt});
    set().first();
    QApplication::processEvents();
    const QColor base = grid->palette().color(QPalette::Base);
    const QColor highlight = grid->palette().color(QPalette::Highlight);
    const QSize size = shownBox(0, kAInt).size();
    const QStyle::State states[] = {QStyle::State_On, QStyle::State_Off, QStyle::State_NoChange};
    for (int row = 0; row < 3; ++row) {
        // The current cell (row 0, AInt, the grid focused) is highlighted.
        EXPECT_EQ(shownBox(row, kAInt), styleBox(states[row], size, row == 0 ? highlight : base))
            << "AInt, row " << row;
        EXPECT_EQ(shownBox(row, kStrShowCheck), styleBox(states[row], size, base))
            << "StrShowCheck, row " << row;
    }
    // A toggle shows the other state's pixels at once.
    click(0, kStrShowCheck);
    QApplication::processEvents();
    EXPECT_EQ(shownBox(0, kStrShowCheck), styleBox(QStyle::State_Off, size, highlight));
}

}  // namespace
}  // namespace gridtest

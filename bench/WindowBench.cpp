// The whole window: a click that toggles a check-box cell of the grid until
// every bound control has repainted, beside a click on a plain QCheckBox; and
// the window built from its stored description up to its first paint, beside
// the same window built by hand.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>

#include "bench/HandBuiltWindow.h"
#include "bench/PaintCounter.h"
#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "controls/DBText.h"
#include "controls/Label.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "form/Form1.h"

namespace {

// A left click, then the event loop until every update it caused is painted.
// Out of line, so that a profiler can collect it alone
// (valgrind --tool=callgrind --toggle-collect='*clickAndRepaint*').
[[gnu::noinline]] void clickAndRepaint(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
}

// A click that toggles the AInt cell of the current record. The record set is
// in Browse before each click, so the click makes the edit request (the set
// enters Edit: the navigator, the grid's indicator and every field-bound
// control react) and then writes the toggled value (DBText1, DBCheckBox2 and
// the cell change). Posting the record again between clicks is not timed.
void WindowToggleCheckBoxCell(benchmark::State& state) {
    std::unique_ptr<TForm1> form = createForm1();
    form->show();
    QApplication::setActiveWindow(form.get());
    if (!QTest::qWaitForWindowActive(form.get())) {
        state.SkipWithError("the window did not become active");
        return;
    }
    TDataSet& set = *form->ClientDataSet1;
    for (int i = 0; i < 10; ++i) {
        set.append();
        form->ClientDataSet1AStr->setAsString("record text");
        set.post();
    }
    set.first();
    QApplication::processEvents();
    auto* grid = static_cast<TDBGrid*>(form->DBGrid1);
    const QPoint cell = grid->cellRect(grid->currentRow(), 0).center();

    PaintCounter counter;
    std::int32_t before = form->ClientDataSet1AInt->asInteger();
    int toggles = 0;
    for (auto _ : state) {
        clickAndRepaint(grid, cell);
        state.PauseTiming();
        const std::int32_t after = form->ClientDataSet1AInt->asInteger();
        toggles += after != before ? 1 : 0;
        before = after;
        set.post();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    // What the screen shows after a click must be what a full repaint gives.
    clickAndRepaint(grid, cell);
    QApplication::processEvents();
    const QImage shown = form->screen()->grabWindow(form->winId()).toImage();
    const QImage full = form->grab().toImage();
    if (shown.convertToFormat(QImage::Format_RGB32) != full.convertToFormat(QImage::Format_RGB32)) {
        state.SkipWithError("the screen after a click differs from a full repaint");
        return;
    }
    const std::int64_t clicks = state.iterations();
    if (toggles != clicks || counter.paints(grid) < clicks ||
        counter.paints(form->DBText1) < clicks || counter.paints(form->DBCheckBox2) < clicks) {
        state.SkipWithError("a click did not toggle the cell or repaint every bound control");
    }
}

void PlainCheckBoxClick(benchmark::State& state) {
    QWidget window;
    window.resize(574, 438);
    auto* box = new QCheckBox(QStringLiteral("AInt"), &window);
    box->setGeometry(72, 80, 97, 17);
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) {
        state.SkipWithError("the window did not become active");
        return;
    }
    // On the box itself: a check box takes clicks on its box and caption only.
    QStyleOptionButton option;
    option.initFrom(box);
    const QPoint centre =
        box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
    PaintCounter counter;
    int toggles = 0;
    bool before = box->isChecked();
    for (auto _ : state) {
        clickAndRepaint(box, centre);
        state.PauseTiming();
        toggles += box->isChecked() != before ? 1 : 0;
        before = box->isChecked();
        state.ResumeTiming();
    }
    if (toggles != state.iterations() || counter.paints(box) < state.iterations()) {
        state.SkipWithError("a click did not toggle or repaint the check box");
    }
}

// The window's first paint has reached the grid and the field-bound
// controls. (A control wholly covered by others, like the navigator bar
// under its buttons, gets no paint event of its own.)
bool allPainted(const PaintCounter& counter, TForm1& form) {
    for (const QWidget* widget :
         {static_cast<QWidget*>(form.DBGrid1), static_cast<QWidget*>(form.DBText1),
          static_cast<QWidget*>(form.DBCheckBox2), static_cast<QWidget*>(form.Label1)}) {
        if (counter.paints(widget) == 0) {
            return false;
        }
    }
    return true;
}

// Builds the window, shows it and lets it paint once; the window is freed
// outside the timing.
template <class Build>
void windowToFirstPaint(benchmark::State& state, Build build) {
    PaintCounter counter;
    for (auto _ : state) {
        std::unique_ptr<TForm1> form = build();
        form->show();
        // Until every control has painted once (the first window of a run
        // may need more than one pass).
        for (int pass = 0; pass < 100 && !allPainted(counter, *form); ++pass) {
            QApplication::processEvents();
        }
        state.PauseTiming();
        const bool painted = allPainted(counter, *form);
        form.reset();
        QApplication::processEvents();
        counter.reset();
        if (!painted) {
            state.SkipWithError("the window did not paint");
            break;
        }
        state.ResumeTiming();
    }
}

void WindowFromDescription(benchmark::State& state) {
    windowToFirstPaint(state, [] { return createForm1(); });
}

void WindowBuiltByHand(benchmark::State& state) {
    windowToFirstPaint(state, [] { return buildForm1ByHand(); });
}

}  // namespace

BENCHMARK(WindowToggleCheckBoxCell)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainCheckBoxClick)->Unit(benchmark::kMicrosecond);
BENCHMARK(WindowFromDescription)->Unit(benchmark::kMicrosecond);
BENCHMARK(WindowBuiltByHand)->Unit(benchmark::kMicrosecond);

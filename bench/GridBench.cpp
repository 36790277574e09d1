// One full paint of the record grid, at 10 records and at a million: the
// grid paints only the rows of its record window, so the size of the record
// set should not show.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QWidget>

#include "bench/PaintCounter.h"
#include "bench/RecordSetFill.h"
#include "controls/DBGrid.h"

namespace {

// The window's grid: its bounds, columns and font.
TDBGrid* windowGrid(QWidget& window, TDataSource* source) {
    QFont font = window.font();
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    window.setFont(font);
    window.resize(574, 438);
    auto* grid = new TDBGrid;
    grid->setParent(&window);
    grid->setGeometry(64, 152, 433, 193);
    auto addColumn = [grid](const char* name, std::optional<int> width,
                            std::vector<std::string> keyList) {
        TDBGridColumn& column = grid->addColumn();
        column.setFieldName(name);
        if (width) {
            column.setWidth(*width);
        }
        if (!keyList.empty()) {
            column.setCheckboxes(true);
            column.setKeyList(std::move(keyList));
        }
    };
    addColumn("AInt", std::nullopt, {"1", "0"});
    addColumn("AStr", std::nullopt, {});
    addColumn("ABoolean", 63, {});
    addColumn("StrShowCheck", 65, {"aa", "bb"});
    grid->setDataSource(source);
    grid->show();
    return grid;
}

void GridPaint(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    WindowRecordSet set;
    // Filled before the grid links, as the fill is not what is measured.
    appendRecords(set, count);
    set.dataSet->setRecNo(count / 2);
    QWidget window;
    TDBGrid* grid = windowGrid(window, set.source);
    window.show();
    QApplication::processEvents();
    PaintCounter counter;
    for (auto _ : state) {
        grid->repaint();
    }
    if (counter.paints(grid) < state.iterations()) {
        state.SkipWithError("the grid did not paint");
    }
    state.counters["rows"] = grid->shownRowCount();
}

}  // namespace

BENCHMARK(GridPaint)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(GridPaint)->Arg(1000000)->Unit(benchmark::kMicrosecond);

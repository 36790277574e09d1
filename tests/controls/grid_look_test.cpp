// What the grid paints, read from grabbed images: column widths, the size and
// place of the check boxes, no text in check-box cells, the blank row, the
// highlighted current cell, the indicator marks, and columns resized and
// moved by dragging in the title row.

#include <QStyle>

#include "tests/controls/grid_fixture.h"

namespace gridtest {
namespace {

// The smallest rectangle holding every pixel that differs from `background`.
QRect inkBounds(const QImage& image, QRgb background) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

bool contains(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

// Where the check box must be in a cell of `cell` size, by the rule: centred
// with w div 2 - W div 2 on each axis (the whole cell when it is smaller),
// then squared by shortening the longer side, half the excess (rounded
// down) at its start.
QRect expectedBox(QSize cell, QSize box) {
    auto axis = [](int length, int size) {
        return length < size ? std::make_pair(0, length)
                             : std::make_pair(length / 2 - size / 2, size);
    };
    auto [left, width] = axis(cell.width(), box.width());
    auto [top, height] = axis(cell.height(), box.height());
    if (width > height) {
        left += (width - height) / 2;
        width = height;
    } else if (height > width) {
        top += (height - width) / 2;
        height = width;
    }
    return {left, top, width, height};
}

class Look : public GridFixture {
protected:
    QRgb base() const { return grid->palette().color(QPalette::Base).rgb(); }
    QSize systemBox() const {
        return {grid->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, grid),
                grid->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, grid)};
    }
    void unfocus() {
        other->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        ASSERT_FALSE(focusInGrid());
    }
    // Drags in the title row from `from` to `to` with the left button.
    void dragTitle(QPoint from, QPoint to) {
        QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(grid, from + QPoint(to.x() > from.x() ? 6 : -6, 0));
        QTest::mouseMove(grid, to);
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, to);
    }
};

TEST_F(Look, ColumnWidthsFollowTheDisplayWidthRuleOrTheStoredWidth) {
    const int zero = QFontMetrics(grid->font()).horizontalAdvance(QLatin1Char('0'));
    EXPECT_EQ(grid->titleRect(kAInt).width(), 10 * zero + 4);
    EXPECT_EQ(grid->titleRect(kAStr).width(), 12 * zero + 4);
    EXPECT_EQ(grid->titleRect(kABoolean).width(), 63);
    EXPECT_EQ(grid->titleRect(kStrShowCheck).width(), 65);
}

TEST_F(Look, BoxesHaveTheSystemSizeAndAreCentredInTheirCells) {
    addRecord({1, "x", true, "aa"});
    unfocus();
    for (int column : {kAInt, kABoolean, kStrShowCheck}) {
        const QImage image = grabCell(0, column);
        EXPECT_EQ(inkBounds(image, base()), expectedBox(image.size(), systemBox()))
            << "column " << column << ", cell " << image.width() << " x " << image.height();
    }
}

TEST_F(Look, ABoxInACellNarrowerThanTheBoxTakesItsWidthAndStaysSquare) {
    addRecord({1, "x", true, "aa"});
    const QRect title = grid->titleRect(kAInt);
    const QPoint border(title.right() + 1, title.center().y());
    dragTitle(border, border - QPoint(title.width() - 8, 0));
    ASSERT_EQ(grid->titleRect(kAInt).width(), 8);
    unfocus();
    const QImage image = grabCell(0, kAInt);
    ASSERT_LT(image.width(), systemBox().width());
    const QRect box = inkBounds(image, base());
    EXPECT_EQ(box, expectedBox(image.size(), systemBox()));
    EXPECT_EQ(box.width(), box.height());
}

TEST_F(Look, CheckBoxCellsShowNoText) {
    // Different texts with the same state must look the same.
    addRecord({2, "abc", std::nullopt, "ab"});
    addRecord({-1, "xyz", std::nullopt, "xy"});
    unfocus();
    EXPECT_EQ(shownState(0, kAInt), "grey");
    EXPECT_EQ(shownState(1, kAInt), "grey");
    EXPECT_EQ(grabCell(0, kAInt), grabCell(1, kAInt));
    EXPECT_EQ(grabCell(0, kStrShowCheck), grabCell(1, kStrShowCheck));
    // The comparison does see text where there is some.
    EXPECT_NE(grabCell(0, kAStr), grabCell(1, kAStr));
}

TEST_F(Look, TheBlankRowOfAnEmptySetHasNoBoxes) {
    unfocus();
    for (int column = 0; column < 4; ++column) {
        EXPECT_TRUE(inkBounds(grabCell(0, column), base()).isEmpty()) << "column " << column;
    }
}

TEST_F(Look, TheCurrentCellIsHighlightedOnlyWhileTheGridHasTheFocus) {
    addRecord({1, "x", true, "aa"});
    key(Qt::Key_End);
    const QRgb highlight = grid->palette().color(QPalette::Highlight).rgb();
    const QImage focused = grabCell(0, kStrShowCheck);
    EXPECT_TRUE(contains(focused, highlight));
    // The dotted focus frame: neighbours along the top edge alternate.
    int alternations = 0;
    for (int x = 1; x + 1 < focused.width(); ++x) {
        alternations += focused.pixel(x, 0) != focused.pixel(x + 1, 0);
    }
    EXPECT_GT(alternations, focused.width() / 2);
    EXPECT_FALSE(contains(grabCell(0, kAStr), highlight)) << "only the current cell";
    unfocus();
    EXPECT_FALSE(contains(grabCell(0, kStrShowCheck), highlight));
}

TEST_F(Look, TheIndicatorMarksBrowseEditAndInsertDifferently) {
    addRecord({1, "first", true, "aa"});
    addRecord({1, "second", true, "aa"});
    set().first();
    auto indicator = [&](int row) {
        const QRect cell = grid->cellRect(row, kAInt);
        return grid->grab(QRect(0, cell.top(), cell.left() - 1, cell.height())).toImage();
    };
    const QImage none = indicator(1);
    const QImage browse = indicator(0);
    key(Qt::Key_Space);
    ASSERT_EQ(set().state(), TDataSetState::dsEdit);
    const QImage edit = indicator(0);
    key(Qt::Key_Escape);
    key(Qt::Key_Insert);
    ASSERT_EQ(set().state(), TDataSetState::dsInsert);
    const QImage insert = indicator(0);
    EXPECT_NE(browse, none);
    EXPECT_NE(edit, none);
    EXPECT_NE(insert, none);
    EXPECT_NE(browse, edit);
    EXPECT_NE(browse, insert);
    EXPECT_NE(edit, insert);
}

TEST_F(Look, TitlesAreLeftAligned) {
    const QRect title = grid->titleRect(kABoolean);
    const QImage image = grid->grab(title.adjusted(2, 2, -2, -2)).toImage();
    // Text is the darkest ink in the title; it starts near the left edge.
    int firstDark = -1;
    for (int x = 0; x < image.width() && firstDark < 0; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 100) {
                firstDark = x;
                break;
            }
        }
    }
    EXPECT_GE(firstDark, 0);
    EXPECT_LT(firstDark, 6);
}

TEST_F(Look, DraggingATitleBorderResizesAndDraggingATitleMovesTheColumn) {
    addRecord({1, "x", true, "aa"});
    const QRect aInt = grid->titleRect(kAInt);
    const QPoint border(aInt.right() + 1, aInt.center().y());
    dragTitle(border, border + QPoint(20, 0));
    EXPECT_EQ(grid->titleRect(kAInt).width(), aInt.width() + 20);

    // StrShowCheck's title dropped on the left half of AInt's goes first.
    dragTitle(grid->titleRect(kStrShowCheck).center(),
              grid->titleRect(kAInt).topLeft() + QPoint(3, aInt.height() / 2));
    EXPECT_EQ(table()->columnDescription(0), QStringLiteral("StrShowCheck"));
    EXPECT_EQ(table()->columnDescription(1), QStringLiteral("AInt"));
    EXPECT_EQ(set().state(), TDataSetState::dsBrowse) << "title drags change no data";
    click(0, 0);
    EXPECT_EQ(data.strShowCheck->asString(), "bb");
    EXPECT_EQ(data.aInt->asInteger(), 1);
}

TEST_F(Look, ColumnsWiderThanTheGridScrollTheCurrentOneIntoView) {
    addRecord({1, "x", true, "aa"});
    const QRect aStr = grid->titleRect(kAStr);
    const QPoint border(aStr.right() + 1, aStr.center().y());
    dragTitle(border, QPoint(grid->width() - 30, border.y()));
    ASSERT_GT(grid->titleRect(kStrShowCheck).right(), grid->width());
    key(Qt::Key_End);
    const QRect last = grid->cellRect(0, kStrShowCheck);
    EXPECT_TRUE(grid->rect().contains(last)) << "scrolled into view";
    EXPECT_EQ(shownState(0, kStrShowCheck), "checked");
    EXPECT_LT(grid->cellRect(0, kAInt).left(), 0) << "scrolled out on the left";
    key(Qt::Key_Home);
    EXPECT_GT(grid->cellRect(0, kAInt).left(), 0);
    EXPECT_TRUE(grid->rect().contains(grid->cellRect(0, kAInt)));
}

}  // namespace
}  // namespace gridtest

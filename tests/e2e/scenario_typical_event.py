#!/usr/bin/python3
"""The typical event: on the freshly started program, a click on the AInt cell
of the grid's blank row inserts a record that shows AInt clear; the
navigator's Post stores it."""

from checkgrid_session import (CHECK_COLUMNS, box_square, check, extents, main,
                               region_colours, region_signature, wait_for)

ALL_BUTTONS = {"First record", "Prior record", "Next record", "Last record", "Insert record",
               "Delete record", "Edit record", "Post edit", "Cancel edit", "Refresh data"}


def scenario(start_window):
    w = start_window()

    # The empty record set as the window opens.
    label = w.label("本程序演示用 DBGrid 来显示非Boolean类型的字段为CheckBox")
    check(label is not None, "Label1 does not read the purpose of the program")
    check(w.boxes() == {"DBCheckBox1": "mixed", "DBCheckBox2": "mixed", "DBCheckBox3": "mixed"},
          f"at start the three boxes are not grey: {w.boxes()}")
    check(w.texts() == {"DBText1": "", "DBText2": "", "DBText3": ""},
          f"at start the field texts are not empty: {w.texts()}")
    check(w.enabled_buttons() == {"Insert record", "Edit record", "Refresh data"},
          f"at start the navigator enables {sorted(w.enabled_buttons())}")
    rows = w.rows()
    check(rows == [{c: ("", None) for c in ("AInt", "AStr", "ABoolean", "StrShowCheck")}],
          f"the empty grid does not show one blank row without boxes: {rows}")
    blank = w.screenshot("empty")
    for column in CHECK_COLUMNS:
        rect = extents(w.cell(0, column))
        check(region_colours(blank, box_square(rect, 10)) == 1, f"the blank row's {column} cell is not blank")

    # 1-3: the click inserts a record (AInt = 1) and toggles AInt to clear.
    w.click(w.cell(0, "AInt"))
    wait_for("DBText1 to show 0", lambda: w.text("DBText1") == "0")
    check(w.boxes()["DBCheckBox2"] == "clear", "DBCheckBox2 is not clear after the click")
    check(w.boxes()["DBCheckBox1"] == "mixed" and w.boxes()["DBCheckBox3"] == "mixed",
          "the StrShowCheck and ABoolean boxes are not grey on the new record")
    check(w.enabled_buttons() == {"Insert record", "Post edit", "Cancel edit", "Refresh data"},
          f"while inserting the navigator enables {sorted(w.enabled_buttons())}")
    row = w.rows()[0]
    check(row["AInt"] == ("0", "clear") and row["ABoolean"][1] == "mixed"
          and row["StrShowCheck"][1] == "mixed" and row["AStr"] == ("", None),
          f"the new row reads {row}")
    check(w.focused_control() == "DBGrid1", "the click did not leave the focus in the grid")
    inserted = w.screenshot("inserted")
    # What is painted: the AInt box is drawn now; the two grey boxes, neither
    # of them in the current cell, look alike, and unlike the clear one.
    squares = {c: box_square(extents(w.cell(0, c))) for c in CHECK_COLUMNS}
    check(region_colours(inserted, squares["AInt"]) > 1, "no box is drawn in the AInt cell")
    check(region_signature(inserted, squares["ABoolean"])
          == region_signature(inserted, squares["StrShowCheck"]),
          "the two grey boxes are drawn differently")

    # 4: Post stores the record.
    w.press("Post edit")
    wait_for("Browse with one record",
             lambda: w.enabled_buttons() == ALL_BUTTONS - {"Post edit", "Cancel edit"})
    check(w.text("DBText1") == "0", "DBText1 does not show 0 after Post")
    check(w.boxes()["DBCheckBox2"] == "clear", "DBCheckBox2 is not clear after Post")
    rows = w.rows()
    check(len(rows) == 1 and rows[0]["AInt"] == ("0", "clear"),
          f"after Post the grid shows {rows}")
    check(w.focused_control() == "DBGrid1", "a click on the navigator took the focus")
    posted = w.screenshot("posted")
    check(region_signature(posted, squares["ABoolean"])
          == region_signature(posted, squares["StrShowCheck"]),
          "after Post the two grey boxes are drawn differently")

    # 5: closing ends the program; the record is lost.
    code = w.close()
    check(code == 0, f"exit code {code} after closing the window")


if __name__ == "__main__":
    main(scenario)

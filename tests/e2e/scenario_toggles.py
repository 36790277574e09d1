#!/usr/bin/python3
"""A toggle in each field-bound box and in each check-box column of the grid,
with every other control following: a box holds its toggle until the focus
leaves it or the record is posted; a grid cell writes at once."""

from checkgrid_session import (box_square, check, extents, main, region_signature, wait_for)


def scenario(start_window):
    w = start_window()

    def shows(texts=None, boxes=None, row=None, what=""):
        """Waits until the texts, the boxes and the grid's row 0 read as given."""
        def probe():
            seen_texts, seen_boxes, seen_row = w.texts(), w.boxes(), w.rows()[0]
            check((texts is None or seen_texts == texts)
                  and (boxes is None or seen_boxes == boxes)
                  and (row is None or all(seen_row[c] == v for c, v in row.items())),
                  f"texts {seen_texts}, boxes {seen_boxes}, row {seen_row}")
            return True
        wait_for(what, probe)

    # The AInt box on the empty set: the click inserts (AInt = 1, ticked) and
    # the toggle makes the box clear, held back: DBText1 and the grid keep 1.
    w.click(w.checkbox("DBCheckBox2"))
    shows(texts={"DBText1": "1", "DBText2": "", "DBText3": ""},
          boxes={"DBCheckBox1": "mixed", "DBCheckBox2": "clear", "DBCheckBox3": "mixed"},
          row={"AInt": ("1", "checked")}, what="the AInt box clear with its toggle pending")
    check(w.focused_control() == "DBCheckBox2", "the click did not focus DBCheckBox2")

    # The StrShowCheck box: the AInt toggle is written as the focus leaves
    # (0), the new toggle (grey to ticked) waits.
    w.click(w.checkbox("DBCheckBox1"))
    shows(texts={"DBText1": "0", "DBText2": "", "DBText3": ""},
          boxes={"DBCheckBox1": "checked", "DBCheckBox2": "clear", "DBCheckBox3": "mixed"},
          row={"AInt": ("0", "clear"), "StrShowCheck": ("", "mixed")},
          what="AInt written as 0, StrShowCheck ticked and pending")

    # The ABoolean box: StrShowCheck is written ("aa").
    w.click(w.checkbox("DBCheckBox3"))
    shows(texts={"DBText1": "0", "DBText2": "", "DBText3": "aa"},
          boxes={"DBCheckBox1": "checked", "DBCheckBox2": "clear", "DBCheckBox3": "checked"},
          row={"StrShowCheck": ("aa", "checked"), "ABoolean": ("", "mixed")},
          what="StrShowCheck written as aa, ABoolean ticked and pending")

    # Post collects the pending ABoolean toggle; the focus stays on the box.
    w.press("Post edit")
    shows(row={"AInt": ("0", "clear"), "ABoolean": ("True", "checked"),
               "StrShowCheck": ("aa", "checked")},
          what="the record posted with the ABoolean toggle")
    wait_for("Browse", lambda: "Post edit" not in w.enabled_buttons())
    check(w.focused_control() == "DBCheckBox3", "Post moved the focus off DBCheckBox3")
    boxes_posted = w.screenshot("boxes-posted")
    squares = {c: box_square(extents(w.cell(0, c))) for c in ("AInt", "ABoolean", "StrShowCheck")}
    ticked = region_signature(boxes_posted, squares["ABoolean"])
    clear = region_signature(boxes_posted, squares["AInt"])
    check(ticked == region_signature(boxes_posted, squares["StrShowCheck"]),
          "the two ticked cells are drawn differently")
    check(ticked != clear, "a ticked cell is drawn like a clear one")

    # The grid's check-box columns write at once, and the boxes follow.
    w.click(w.cell(0, "AInt"))
    shows(texts={"DBText1": "1", "DBText2": "", "DBText3": "aa"},
          boxes={"DBCheckBox1": "checked", "DBCheckBox2": "checked", "DBCheckBox3": "checked"},
          row={"AInt": ("1", "checked")}, what="the AInt cell toggled to 1")
    check(w.focused_control() == "DBGrid1", "a click in the grid did not focus it")
    check("Post edit" in w.enabled_buttons(), "the toggle did not start Edit")

    w.click(w.cell(0, "StrShowCheck"), dx=10)
    shows(texts={"DBText1": "1", "DBText2": "", "DBText3": "bb"},
          boxes={"DBCheckBox1": "clear", "DBCheckBox2": "checked", "DBCheckBox3": "checked"},
          row={"StrShowCheck": ("bb", "clear")}, what="the StrShowCheck cell toggled to bb")

    w.click(w.cell(0, "ABoolean"))
    shows(boxes={"DBCheckBox1": "clear", "DBCheckBox2": "checked", "DBCheckBox3": "clear"},
          row={"ABoolean": ("False", "clear")}, what="the ABoolean cell toggled to False")

    # A second click in the same cell, far enough from the first not to make
    # a double-click, and Space on the current cell.
    w.click(w.cell(0, "StrShowCheck"), dx=50)
    shows(texts={"DBText1": "1", "DBText2": "", "DBText3": "aa"},
          row={"StrShowCheck": ("aa", "checked")}, what="StrShowCheck toggled back to aa")
    w.key("space")
    shows(texts={"DBText1": "1", "DBText2": "", "DBText3": "bb"},
          boxes={"DBCheckBox1": "clear", "DBCheckBox2": "checked", "DBCheckBox3": "clear"},
          row={"StrShowCheck": ("bb", "clear")}, what="Space toggled StrShowCheck to bb")

    w.press("Post edit")
    wait_for("Browse", lambda: "Post edit" not in w.enabled_buttons())
    w.key("Home")
    wait_for("AInt the current column", lambda: w.focused_cell() == (0, "AInt"))
    shows(row={"AInt": ("1", "checked"), "ABoolean": ("False", "clear"),
               "StrShowCheck": ("bb", "clear")}, what="the posted record")
    cells_posted = w.screenshot("cells-posted")
    check(region_signature(cells_posted, squares["ABoolean"]) == clear,
          "the clear ABoolean cell is not drawn as the clear AInt cell was")
    check(region_signature(cells_posted, squares["StrShowCheck"]) == clear,
          "the clear StrShowCheck cell is not drawn as the clear AInt cell was")

    code = w.close()
    check(code == 0, f"exit code {code} after closing the window")


if __name__ == "__main__":
    main(scenario)

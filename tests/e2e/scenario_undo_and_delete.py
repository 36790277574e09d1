#!/usr/bin/python3
"""Undoing and deleting: Esc in the grid and on a box, the navigator's Cancel,
and deleting with the "Confirm" box answered OK (Return) and Cancel (Esc),
from the navigator and with Ctrl+Delete in the grid."""

from checkgrid_session import check, main, wait_for

EMPTY_SET_BUTTONS = {"Insert record", "Edit record", "Refresh data"}
BLANK_ROW = [{c: ("", None) for c in ("AInt", "AStr", "ABoolean", "StrShowCheck")}]


def scenario(start_window):
    w = start_window()

    def browsing():
        wait_for("Browse", lambda: "Post edit" not in w.enabled_buttons()
                 and "Insert record" in w.enabled_buttons())

    def empty_set(what):
        wait_for(what, lambda: w.rows() == BLANK_ROW)
        check(w.texts() == {"DBText1": "", "DBText2": "", "DBText3": ""},
              f"{what}: the field texts read {w.texts()}")
        check(set(w.boxes().values()) == {"mixed"}, f"{what}: the boxes read {w.boxes()}")
        wait_for(f"{what}: the empty set's buttons", lambda: w.enabled_buttons() == EMPTY_SET_BUTTONS)

    # Esc after the toggle that inserted a record: the record disappears.
    w.click(w.cell(0, "AInt"))
    wait_for("the inserted record", lambda: w.text("DBText1") == "0")
    w.key("Escape")
    empty_set("Esc on the inserted record")

    # A stored record to work on.
    w.click(w.cell(0, "AInt"))
    wait_for("the inserted record", lambda: w.text("DBText1") == "0")
    w.press("Post edit")
    browsing()
    stored = w.rows()
    check(len(stored) == 1 and stored[0]["AInt"] == ("0", "clear"), f"stored: {stored}")

    # Esc in the grid after a toggle on a stored record restores it.
    w.click(w.cell(0, "StrShowCheck"))
    wait_for("StrShowCheck aa", lambda: w.text("DBText3") == "aa" and "Post edit" in w.enabled_buttons())
    w.key("Escape")
    browsing()
    check(w.rows() == stored, f"Esc did not restore the record: {w.rows()}")
    check(w.text("DBText3") == "" and w.boxes()["DBCheckBox1"] == "mixed",
          "after Esc DBText3 and DBCheckBox1 do not show the stored null")

    # The navigator's Cancel does the same.
    w.click(w.cell(0, "ABoolean"))
    wait_for("ABoolean ticked", lambda: w.boxes()["DBCheckBox3"] == "checked")
    w.press("Cancel edit")
    browsing()
    check(w.rows() == stored, f"Cancel did not restore the record: {w.rows()}")
    check(w.boxes()["DBCheckBox3"] == "mixed", "after Cancel DBCheckBox3 is not grey")

    # Esc on a box discards its pending toggle; the record set stays in Edit.
    w.click(w.checkbox("DBCheckBox3"))
    wait_for("DBCheckBox3 ticked and pending", lambda: w.boxes()["DBCheckBox3"] == "checked")
    check(w.rows()[0]["ABoolean"] == ("", "mixed"), "the pending toggle reached the grid")
    w.key("Escape")
    wait_for("DBCheckBox3 grey again", lambda: w.boxes()["DBCheckBox3"] == "mixed")
    check("Post edit" in w.enabled_buttons(), "Esc on the box left Edit")
    w.press("Cancel edit")
    browsing()
    check(w.rows() == stored, f"the box's Esc and Cancel changed the record: {w.rows()}")

    # Delete, answered Cancel with Esc: nothing changes.
    w.press("Delete record")
    _, texts, buttons, _ = w.message_box("Confirm")
    check(texts == ["Delete record?"], f"the Confirm box reads {texts}")
    check(buttons == ["OK", "Cancel"], f"the Confirm box offers {buttons}")
    w.screenshot("confirm-box")
    w.answer("Confirm", "Escape")
    check(w.rows() == stored, f"a cancelled delete changed the set: {w.rows()}")
    check(w.text("DBText1") == "0", "a cancelled delete changed DBText1")

    # A second record, inserted before the first by the navigator (AInt 1).
    w.press("Insert record")
    wait_for("the new record", lambda: w.text("DBText1") == "1")
    w.press("Post edit")
    browsing()
    rows = w.rows()
    check([r["AInt"] for r in rows] == [("1", "checked"), ("0", "clear")],
          f"after Insert and Post the grid shows {rows}")

    # Ctrl+Delete in the grid, answered OK with Return: the current record goes.
    w.click(w.cell(0, "AStr"))
    wait_for("the grid focused", lambda: w.focused_control() == "DBGrid1")
    w.key("ctrl+Delete")
    w.answer("Confirm", "Return")
    wait_for("one record left", lambda: len(w.rows()) == 1)
    check(w.rows() == stored, f"Ctrl+Delete removed the wrong record: {w.rows()}")
    check(w.text("DBText1") == "0", "DBText1 does not show the remaining record")

    # The navigator's Delete with OK: the set is empty again.
    w.press("Delete record")
    w.answer("Confirm", "Return")
    empty_set("after deleting the only record")

    code = w.close()
    check(code == 0, f"exit code {code} after closing the window")


if __name__ == "__main__":
    main(scenario)

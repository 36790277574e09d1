#!/usr/bin/python3
"""Refresh's two error boxes, read aloud and closed; the focus order with Tab,
Shift+Tab and the arrow keys; closing the window with a record being inserted
(exit code 0, and the next start shows the empty set again)."""

from checkgrid_session import check, main, wait_for

ERROR_CAPTION = "Checkgrid"  # the application title, from the executable's name
BLANK_ROW = [{c: ("", None) for c in ("AInt", "AStr", "ABoolean", "StrShowCheck")}]


def scenario(start_window):
    w = start_window()

    def error_box(expected, key):
        _, texts, buttons, _ = w.message_box(ERROR_CAPTION)
        check(texts == [expected], f"the error box reads {texts}, expected {expected!r}")
        check(buttons == ["OK"], f"the error box offers {buttons}")
        w.screenshot("error-box")
        w.answer(ERROR_CAPTION, key)

    def focus_is(control, what):
        wait_for(f"{what}: the focus on {control}", lambda: w.focused_control() == control)

    # Refresh on the freshly started program: no data provider.
    w.press("Refresh data")
    error_box("ClientDataSet1: Missing data provider or data packet.", "Return")
    focus_is("DBGrid1", "after the error box")
    check(w.rows() == BLANK_ROW, f"the failed refresh changed the grid: {w.rows()}")

    # The window works on: a record, then Refresh reports the logged change.
    w.click(w.cell(0, "AInt"))
    wait_for("the inserted record", lambda: w.text("DBText1") == "0")
    w.press("Post edit")
    wait_for("Browse", lambda: "Post edit" not in w.enabled_buttons())
    w.press("Refresh data")
    error_box("ClientDataSet1: Must apply updates before refreshing data.", "Escape")
    check(len(w.rows()) == 1 and w.text("DBText1") == "0",
          "the failed refresh changed the record")

    # Refresh while a new record is being composed posts it first.
    w.press("Insert record")
    wait_for("the new record", lambda: w.text("DBText1") == "1" and "Post edit" in w.enabled_buttons())
    w.press("Refresh data")
    error_box("ClientDataSet1: Must apply updates before refreshing data.", "Return")
    wait_for("the new record posted", lambda: "Post edit" not in w.enabled_buttons())
    check([r["AInt"][0] for r in w.rows()] == ["1", "0"], f"after refresh: {w.rows()}")

    # Tab inside the grid moves between its cells and keeps the focus there.
    w.key("Home")
    wait_for("AInt the current column", lambda: w.focused_cell() == (0, "AInt"))
    w.key("Tab")
    wait_for("Tab to AStr", lambda: w.focused_cell() == (0, "AStr"))
    w.key("shift+Tab")
    wait_for("Shift+Tab back to AInt", lambda: w.focused_cell() == (0, "AInt"))
    check(w.focused_control() == "DBGrid1", "Tab moved the focus out of the grid")

    # The boxes in tab order: StrShowCheck, AInt, ABoolean, then the grid. A
    # click reaches the first box; Esc takes its toggle back.
    w.click(w.checkbox("DBCheckBox1"))
    focus_is("DBCheckBox1", "the click")
    w.key("Escape")
    for key, control in (("Tab", "DBCheckBox2"), ("Tab", "DBCheckBox3"), ("Tab", "DBGrid1")):
        w.key(key)
        focus_is(control, key)
    w.click(w.checkbox("DBCheckBox3"))
    focus_is("DBCheckBox3", "the click")
    w.key("Escape")
    for key, control in (("shift+Tab", "DBCheckBox2"), ("shift+Tab", "DBCheckBox1"),
                         ("shift+Tab", "DBGrid1")):
        w.key(key)
        focus_is(control, key)
    # The arrow keys go on from the last box to the navigator; Tab from it to the grid.
    w.click(w.checkbox("DBCheckBox3"))
    focus_is("DBCheckBox3", "the click")
    w.key("Escape")
    w.key("Right")
    focus_is("DBNavigator1", "Right on DBCheckBox3")
    w.key("Tab")
    focus_is("DBGrid1", "Tab on the navigator")
    check(w.boxes() == {"DBCheckBox1": "mixed", "DBCheckBox2": "checked", "DBCheckBox3": "mixed"},
          f"Esc did not take the toggles back: {w.boxes()}")
    w.press("Cancel edit")
    wait_for("Browse", lambda: "Post edit" not in w.enabled_buttons())

    # Closing while a record is being inserted asks nothing and ends with 0.
    w.press("Insert record")
    wait_for("Insert", lambda: "Post edit" in w.enabled_buttons())
    code = w.close()
    check(code == 0, f"exit code {code} after closing with a record pending")

    # Nothing was saved.
    again = start_window()
    check(again.rows() == BLANK_ROW, f"the next start does not show the empty set: {again.rows()}")
    code = again.close()
    check(code == 0, f"exit code {code} after closing the second start")


if __name__ == "__main__":
    main(scenario)

"""List keys, scrolling, the focus ring and the help window."""

from x11_harness import check, choice_widgets


def _choices(n, label="c"):
    args = []
    for i in range(n):
        args += ["-choice", "%s%d" % (label, i), str(i)]
    return args


def _answer(suite, args, *keys):
    d = suite.start(args)
    d.wait_window()
    d.keys(*keys)
    return d.finish()


def three_columns_wrap_around(suite):
    # start  key     answer
    rows = [("c2", "Right", b"5\n"), ("c5", "Right", b"2\n"), ("c0", "Left", b"6\n"),
            ("c6", "Right", b"0\n"), ("c4", "Down", b"5\n"), ("c0", "Up", b"0\n")]
    for start, key, wanted in rows:
        rc, out, _ = _answer(suite, ["-question", "q", "-columns", "3"] + _choices(7) + ["-defChoice", start],
                             key, "Tab", "Return")
        check((rc, out) == (0, wanted), "%s from %s gave %r" % (key, start, out))
    # Left and Right do nothing with one column
    rc, out, _ = _answer(suite, ["-question", "q"] + _choices(3) + ["-defChoice", "c1"], "Right", "Tab", "Return")
    check(out == b"1\n", "Right with one column moved to %r" % out)


def viewport_only_beyond_lines(suite):
    d = suite.start(["-question", "q"] + _choices(10))
    d.wait_window()
    w = choice_widgets(d, has_list=True)
    check("vp" not in w, "ten choices in ten lines must not scroll")
    ten_rows = w["list"].height
    d.proc.kill()

    d = suite.start(["-question", "q"] + _choices(11))
    d.wait_window()
    w = choice_widgets(d, has_list=True)
    check("vp" in w, "eleven choices need the scrolling viewport")
    check(len(w["vp"].children) == 2, "viewport without its scroll bar: %r" % w["vp"].children)
    row = (ten_rows - 4) / 10.0
    check(abs(w["vp"].height - 10 * row) <= 10, "viewport %d high for rows of %.1f" % (w["vp"].height, row))
    check(w["list"].height > w["vp"].height, "list not taller than its viewport")
    d.proc.kill()


def scrolling_follows_the_selection(suite):
    d = suite.start(["-question", "q"] + _choices(40))
    d.wait_window()
    check(choice_widgets(d, has_list=True)["list"].y == 0, "starts at the top")
    d.keys(*(["Down"] * 25))
    w = choice_widgets(d, has_list=True)
    row_height = (w["list"].height - 4) / 40.0
    top = -w["list"].y
    selected_top = 2 + 25 * row_height
    check(top > 0, "list did not scroll")
    check(top <= selected_top and selected_top + row_height <= top + w["vp"].height + 1,
          "row 25 at %.0f not inside the view %d..%d" % (selected_top, top, top + w["vp"].height))
    d.keys(*(["Up"] * 25))
    check(choice_widgets(d, has_list=True)["list"].y == 0, "back at the top")
    d.keys("Tab", "Return")
    check(d.finish()[1] == b"0\n", "answer after scrolling")


def every_choice_of_a_huge_list_is_reachable(suite):
    args = ["-question", "q"] + _choices(5000)
    rc, out, _ = _answer(suite, args + ["-defChoice", "c4999"], "Up", "Tab", "Return")
    check(out == b"4998\n", "near the end: %r" % out)
    d = suite.start(args + ["-columns", "2"])
    d.wait_window()
    w = choice_widgets(d, has_list=True)
    check(w["list"].height < 32768, "list window %d high" % w["list"].height)
    d.keys("Right", "Down", "Tab", "Return")
    check(d.finish()[1] == b"2501\n", "second column of a paged list")


def focus_ring_order(suite):
    base = ["-question", "q", "-choice", "a", "va", "-choice", "b", "vb", "-input",
            "-cancel", "Stop", "stopped", "-help", "Help", "Close", "help text"]
    # From the list: Shift+Tab wraps to OK.
    rc, out, _ = _answer(suite, base, "Down", "shift+Tab", "Return")
    check((rc, out) == (0, b"vb\n"), "Shift+Tab from the list to OK: %r" % ((rc, out),))
    # Tab: list -> text -> cancel.
    rc, out, _ = _answer(suite, base, "Tab", "Tab", "Return")
    check((rc, out) == (3, b"stopped\n"), "Tab twice reaches Cancel: %r" % ((rc, out),))
    d = suite.start(base)
    d.wait_window()
    d.keys("Tab")
    d.type("typed")
    d.keys("Tab", "Tab", "Tab", "Return")
    check(d.finish()[:2] == (0, b"typed\n"), "text then OK")


def help_window_keeps_its_place(suite):
    d = suite.start(["-question", "q", "-choice", "a", "", "-help", "Help", "Close", "line one\\nline two"])
    d.wait_window()
    w = choice_widgets(d, has_list=True, help=True)
    d.click(w["help"])
    help_window = suite.find_window("Help")
    check(help_window != d.window, "help window is a window of its own")
    name = suite.x.run(["xprop", "-id", help_window, "WM_NAME"]).stdout.decode()
    check(d.title in name, "help title %r" % name)
    suite.x.run(["xdotool", "windowmove", "--sync", help_window, "200", "150"])
    before = suite.tree(help_window)
    suite.x.run(["xdotool", "windowfocus", "--sync", help_window])
    suite.x.run(["xdotool", "key", "Return"])
    suite.poll(lambda: suite.visible_windows("Help"), lambda found: not found)
    d.click(w["help"])
    again = suite.find_window("Help")
    check(again == help_window, "a new help window was made")
    after = suite.tree(again)
    check((after.abs_x, after.abs_y) == (before.abs_x, before.abs_y),
          "moved from %r to %r" % ((before.abs_x, before.abs_y), (after.abs_x, after.abs_y)))
    check((after.width, after.height) == (before.width, before.height), "size changed")
    check(d.running_after(0.1), "closing help must not end the dialog")
    d.keys("Tab", "Return")  # the click focused "help"; OK is next
    check(d.finish()[:2] == (0, b"a\n"), "dialog still answers")


CASES = [three_columns_wrap_around, viewport_only_beyond_lines, scrolling_follows_the_selection,
         every_choice_of_a_huge_list_is_reachable, focus_ring_order, help_window_keeps_its_place]

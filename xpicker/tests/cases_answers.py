"""What the choice dialog prints and its exit status."""

from x11_harness import check, choice_widgets


def _ok_by_keys(dialog, *keys):
    dialog.wait_window()
    dialog.keys(*keys)
    return dialog.finish()


def values_and_labels(suite):
    # choices: label a without value, b with value "vb"
    for keys, wanted in ((["Tab", "Return"], b"a\n"), (["Down", "Tab", "Return"], b"vb\n")):
        d = suite.start(["-question", "pick", "-choice", "a", "", "-choice", "b", "vb"])
        rc, out, err = _ok_by_keys(d, *keys)
        check((rc, out, err) == (0, wanted, b""), "%s: %r" % (keys, (rc, out, err)))


def default_choice_last_duplicate(suite):
    d = suite.start(["-question", "q", "-choice", "x", "1", "-choice", "dup", "2", "-choice", "dup", "3",
                     "-choice", "y", "4", "-defChoice", "dup"])
    rc, out, _ = _ok_by_keys(d, "Tab", "Return")
    check((rc, out) == (0, b"3\n"), "duplicate default: %r" % ((rc, out),))
    d = suite.start(["-question", "q", "-choice", "x", "1", "-choice", "y", "2", "-defChoice", "none"])
    rc, out, _ = _ok_by_keys(d, "Tab", "Return")
    check(out == b"1\n", "unmatched default selects the first: %r" % out)


def clicking_buttons(suite):
    d = suite.start(["-question", "q", "-choice", "a", "", "-choice", "b", "", "-cancel", "Stop", "no"])
    d.wait_window()
    w = choice_widgets(d, has_list=True, cancel=True)
    d.click(w["cancel"])
    check(d.finish() == (3, b"no\n", b""), "cancel with an answer")

    d = suite.start(["-question", "q", "-cancel", "Stop", ""])
    d.wait_window()
    d.click(choice_widgets(d, cancel=True)["cancel"])
    check(d.finish() == (3, b"", b""), "cancel with an empty answer prints nothing")

    d = suite.start(["-question", "q", "-choice", "a", "", "-choice", "b", "vb"])
    d.wait_window()
    w = choice_widgets(d, has_list=True)
    # second row of the list, then OK
    d.suite.click_at(w["list"].abs_x + 10, w["list"].abs_y + w["list"].height * 3 // 4)
    d.click(w["ok"])
    check(d.finish() == (0, b"vb\n", b""), "clicked item then OK")

    d = suite.start(["-question", "only a question"])
    d.wait_window()
    d.click(choice_widgets(d)["ok"])
    check(d.finish() == (0, b"", b""), "question alone prints nothing")


def no_return(suite):
    d = suite.start(["-question", "q", "-choice", "a", "", "-noReturn"])
    rc, out, _ = _ok_by_keys(d, "Tab", "Return")
    check((rc, out) == (0, b""), "noReturn: %r" % ((rc, out),))


def input_blanks(suite):
    d = suite.start(["-question", "q", "-Input"])
    d.wait_window()
    d.type("   two words  ")
    d.keys("Tab", "Return")
    check(d.finish() == (0, b"two words  \n", b""), "leading blanks dropped, trailing kept")

    d = suite.start(["-question", "q", "-input"])
    d.wait_window()
    d.type("a b")
    d.keys("Tab", "Return")
    check(d.finish()[1] == b"ab\n", "space inserts nothing with -input")


def refusals_keep_the_dialog(suite):
    d = suite.start(["-question", "q", "-Input", "-deny", ";|"])
    d.wait_window()
    d.type("rm;x")
    d.keys("Tab", "Return")
    check(d.running_after(0.7), "denied character must keep the dialog")
    d.keys("Shift+Tab", "BackSpace", "Tab", "Return")
    check(d.running_after(0.7), "still a denied character")
    d.keys("Shift+Tab", "BackSpace", "Tab", "Return")
    check(d.finish() == (0, b"rm\n", b""), "accepted after removing it")

    d = suite.start(["-question", "q", "-input"])
    d.wait_window()
    d.keys("Tab", "Return")
    check(d.running_after(0.7), "empty field without a list is refused")


def both_value_and_text(suite):
    d = suite.start(["-question", "q", "-choice", "a", "va", "-choice", "b", "vb", "-input", "-both"])
    d.wait_window()
    d.keys("Down", "Tab")
    d.type("typed")
    d.keys("Tab", "Return")
    check(d.finish() == (0, b"vb typed\n", b""), "both")

    d = suite.start(["-question", "q", "-choice", "a", "va", "-input", "-both"])
    d.wait_window()
    d.keys("Tab", "Tab", "Return")
    check(d.running_after(0.7), "both with an empty field is refused")


CASES = [values_and_labels, default_choice_last_duplicate, clicking_buttons, no_return, input_blanks,
         refusals_keep_the_dialog, both_value_and_text]

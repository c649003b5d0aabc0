"""Window facts: fixed sizes, title and class, placement, widget geometry."""

import re

from x11_harness import check, choice_widgets


def _class_and_name(d):
    cls = re.findall(r'"([^"]*)"', d.prop("WM_CLASS"))
    name = re.findall(r'"([^"]*)"', d.prop("WM_NAME"))
    return cls, name


def fixed_size_title_and_class(suite):
    log = suite.path("small.log", "one\ntwo\n")
    kinds = [
        ["-question", "q", "-choice", "a", "", "-input", "-cancel", "C", ""],
        ["-message", "Close", "hello"],
        ["-error", "Close", "bad"],
        ["-log", "x", log],
    ]
    for args in kinds:
        d = suite.start(args)
        d.wait_window()
        root = d.tree()
        hints = d.hints()
        size = (root.width, root.height)
        check(hints["minimum"] == size and hints["maximum"] == size,
              "%s: hints %r for a %r window" % (args[0], hints, size))
        cls, name = _class_and_name(d)
        check(cls == ["xpicker", d.title], "%s: class %r" % (args[0], cls))
        check(name == [d.title], "%s: title %r" % (args[0], name))
        d.proc.kill()


def placement(suite):
    d = suite.start(["-message", "OK", "centred"])
    d.wait_window()
    root = d.tree()
    cx, cy = root.abs_x + root.width // 2, root.abs_y + root.height // 2
    check(abs(cx - 640) <= 2 and abs(cy - 512) <= 2, "not centred: %r" % ((cx, cy),))
    d.proc.kill()
    d = suite.start(["-question", "q", "-geometry", "+30+40"])
    d.wait_window()
    root = d.tree()
    check((root.abs_x, root.abs_y) == (30, 40), "geometry ignored: %r" % ((root.abs_x, root.abs_y),))
    d.proc.kill()


def choice_widget_sizes(suite):
    d = suite.start(["-question", "a rather long question\\nsecond", "-choice", "a", "", "-input",
                     "-cancel", "Cancel", "", "-help", "Help", "Close", "t"])
    d.wait_window()
    w = choice_widgets(d, has_list=True, has_text=True, cancel=True, help=True)
    banner = w["Label"].width
    check(w["question"].width == banner, "question and banner differ")
    check(w["list"].width == banner - 2 and w["text"].width == banner - 2, "list/field not W - 2")
    widths = {w[n].width for n in ("cancel", "help", "ok")}
    check(len(widths) == 1, "buttons differ in width: %r" % widths)
    check(w["cancel"].y == w["help"].y == w["ok"].y and w["cancel"].x < w["help"].x < w["ok"].x,
          "buttons not in a row cancel, help, ok")
    check(w["question"].height > 25, "two-line question shown on one line")
    d.proc.kill()


def message_text_or_file(suite):
    lines = "first line\nsecond line\nthird line"
    path = suite.path("message.txt", lines)

    def label_and_button(args):
        d = suite.start(args)
        d.wait_window()
        form = d.form()
        label, end = form.children
        d.proc.kill()
        return form, label, end

    form, from_file, end = label_and_button(["-message", "Close", path])
    # Set to the laid-out form width - 7; the form's own margins may then
    # shrink it by a few pixels.
    check(form.width - 12 <= end.width <= form.width - 7, "end is %d wide in a %d form" % (end.width, form.width))
    _, literal, _ = label_and_button(["-message", "Close", "first line\\nsecond line\\nthird line"])
    check((from_file.width, from_file.height) == (literal.width, literal.height),
          "file content and the same text differ: %r %r" % (from_file, literal))
    _, missing, _ = label_and_button(["-message", "Close", path + ".missing"])
    check(missing.height < from_file.height, "a missing file must be shown as its one-line name")


def error_text_is_red(suite):
    d = suite.start(["-error", "Close", "WWWWWWWW"])
    d.wait_window()
    label = d.form().children[0]
    pixels = suite.x.run(["import", "-window", d.window, "-crop",
                          "%dx%d+%d+%d" % (label.width, label.height, label.x, label.y), "txt:-"]).stdout
    check(b"#FFFF00000000" in pixels.upper() or b"#FF0000 " in pixels.upper(), "no red text in the error label")
    d.proc.kill()


def log_rows(suite):
    log = suite.path("rows.log", "x\n")
    heights = {}
    for lines in ("5", "40"):
        d = suite.start(["-log", "x", log, "-lines", lines])
        d.wait_window()
        banner, text, ok = d.form().children
        heights[lines] = text.height
        check(ok.width == banner.width, "ok and banner differ")
        d.proc.kill()
    check(heights["5"] * 40 == heights["40"] * 25, "5 lines must give 25 rows: %r" % heights)


CASES = [fixed_size_title_and_class, placement, choice_widget_sizes, message_text_or_file, error_text_is_red,
         log_rows]

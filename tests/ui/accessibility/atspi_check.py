"""Reads and drives a window through AT-SPI, as Orca does. The loan window:
the total labels say their caption and their figure, and a new figure is
announced. The tax-law window ("tax"): the results say their caption and
text, and the grid's cells read as shown, the revised years marked."""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

APP = "tsubame-atspi-check"


def pump(seconds, done=lambda: False):
    end = time.monotonic() + seconds
    ctx = GLib.MainContext.default()
    while time.monotonic() < end and not done():
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.02)


def nodes(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from nodes(child)


def find(app, role, name, text=False):
    for n in nodes(app):
        if n.get_role() == role and n.get_name() == name and (not text or "Text" in n.get_interfaces()):
            return n
    sys.exit(f"FAIL: no {role.value_nick} named {name}")


def figure(label):
    return Atspi.Text.get_text(label, 0, Atspi.Text.get_character_count(label))


def labelled_by(label):
    for relation in label.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            return [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return []


def check_loan(app):
    label = Atspi.Role.LABEL
    paid = find(app, label, "支払い金額の合計", text=True)
    interest = find(app, label, "利息の合計", text=True)
    heard = []  # what the two total labels announce

    def on_event(e):
        if e.source in (paid, interest):
            heard.append((e.type, e.source.get_name(), e.any_data))

    listener = Atspi.EventListener.new(on_event)
    listener.register("object:text-changed:insert")
    pump(1.0)  # the window learns that someone listens

    amount = find(app, Atspi.Role.TEXT, "借入金額")
    Atspi.EditableText.set_text_contents(amount, "1,200,000")
    Atspi.EditableText.set_text_contents(find(app, Atspi.Role.TEXT, "年利"), "12")
    Atspi.Action.do_action(find(app, Atspi.Role.PUSH_BUTTON, "実行"), 0)
    pump(5.0, lambda: len(heard) >= 2)

    got = {
        "paid": (figure(paid), Atspi.Value.get_current_value(paid), labelled_by(paid)),
        "interest": (figure(interest), Atspi.Value.get_current_value(interest),
                     labelled_by(interest)),
        "heard": sorted(heard),
    }
    want = {
        "paid": ("1,278,000", 1278000.0, ["支払い金額の合計"]),
        "interest": ("78,000", 78000.0, ["利息の合計"]),
        "heard": [("object:text-changed:insert", "利息の合計", "78,000"),
                  ("object:text-changed:insert", "支払い金額の合計", "1,278,000")],
    }
    if got != want:
        sys.exit(f"FAIL:\n got  {got}\n want {want}")
    print("PASS: AT-SPI reads both totals, their captions, and hears them change")


def check_tax(app):
    Atspi.EditableText.set_text_contents(find(app, Atspi.Role.TEXT, "取得価額"), "1,000,000")
    Atspi.EditableText.set_text_contents(find(app, Atspi.Role.TEXT, "耐用年数"), "10")
    Atspi.Action.do_action(find(app, Atspi.Role.PUSH_BUTTON, "実行"), 0)
    pump(2.0)
    results = {}
    for caption in ("適用", "償却率", "改定償却率", "保証率", "償却保証額"):
        result = find(app, Atspi.Role.LABEL, caption, text=True)
        results[caption] = (figure(result), labelled_by(result))
    grid = next(n for n in nodes(app) if n.get_role() == Atspi.Role.TABLE)
    rows = [" ".join(Atspi.Table.get_accessible_at(grid, r, c).get_name() for c in range(5))
            for r in (0, 6)]
    got = {"results": results, "rows": rows}
    want = {"results": {"適用": ("200%定率法", ["適用"]), "償却率": ("0.200", ["償却率"]),
                        "改定償却率": ("0.250", ["改定償却率"]),
                        "保証率": ("0.06552", ["保証率"]),
                        "償却保証額": ("65,520", ["償却保証額"])},
            "rows": ["2025年度 12/12 1,000,000 200,000 800,000",
                     "2031年度（改定） 12/12 262,144 65,536 196,608"]}
    if got != want:
        sys.exit(f"FAIL:\n got  {got}\n want {want}")
    print("PASS: AT-SPI reads the tax window's results and its marked years")


CHECK = {"loan": check_loan, "tax": check_tax}


def main():
    mode = sys.argv[2] if len(sys.argv) > 2 else "loan"
    window = subprocess.Popen([sys.argv[1]] + ([mode] if mode != "loan" else []))
    try:
        app = None
        end = time.monotonic() + 20
        while app is None and time.monotonic() < end:
            desktop = Atspi.get_desktop(0)
            for i in range(desktop.get_child_count()):
                child = desktop.get_child_at_index(i)
                if child is not None and child.get_name() == APP:
                    app = child
            time.sleep(0.1)
        if app is None:
            sys.exit("FAIL: the window never reached the accessibility bus")
        pump(1.0)  # the window is shown a little after the program joins the bus

        CHECK[mode](app)
    finally:
        window.terminate()
        window.wait(10)


main()

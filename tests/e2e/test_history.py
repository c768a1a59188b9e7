"""The history window on the real program: its context menu read through the
accessibility tree, as it opens by the right button, the Menu key and
Shift+F10; the window opened by the menu's item beside the main window, a
draw typed in, the lines' prizes summed up as assistive technology reads
them; a result file read in through the window's file dialog, and the totals
read; then both windows closed with the main one while the file dialog is
open, the program idle and again during a draw: the dialog holds the history
window alone, and the program ends at once."""

import datetime, os, subprocess, sys

import pyatspi

from drava_desktop import Drava, run, temporary_folder, text, wait_for, walk

# The draw two days ago, whatever day the test runs: a prize it won may still
# be claimed. The lines were drawn two days and a day before it.
DRAW = datetime.date.today() - datetime.timedelta(days=2)
DRAWN = (DRAW - datetime.timedelta(days=2)).strftime("%Y/%m/%d")
LOG = ("%s,20:00:00,A,3,7,12,25,31,40\r\n"    # all six: 1
       "%s,20:00:00,B,3,7,12,25,31,18\r\n"    # five and the bonus: 2
       "%s,20:00:00,C,1,2,3,4,5,6\r\n"        # saved again below: none
       "not a record\r\n"
       "%s,20:00:00,C,3,7,12,25,1,2\r\n"      # four: 4
       "%s,09:00:00,D,3,7,12,9,10,11\r\n"     # three: 5
       % (DRAWN, DRAWN, DRAWN, DRAWN, (DRAW - datetime.timedelta(days=1)).strftime("%Y/%m/%d"))).encode()


def check_from_history():
    folder = temporary_folder("drava-e2e-")
    with open(os.path.join(folder, "KelpLog.csv"), "wb") as f:
        f.write(LOG)
    drava = Drava(sys.argv[1], folder)
    item = lambda: next(c for c in walk(drava.app) if c.getRoleName() == "menu item" and text(c) == "履歴と照合…")
    for way in ("click", "Menu", "shift+F10"):
        if way == "click":
            subprocess.run(["xdotool", "mousemove", "--window", drava.window, "300", "20", "click", "3"], check=True)
        else:
            drava.key(way)
        wait_for(item, "the menu's item, opened by " + way)
        if way != "shift+F10":
            drava.key("Escape")
            wait_for(lambda: not any(True for _ in walk_menus(drava.app)), "the menu to close")
    item().queryAction().doAction(0)
    history = history_of(drava)
    shown = lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(drava.pid)],
                                   capture_output=True, text=True).stdout.split()
    window = wait_for(lambda: next(w for w in shown() if w != drava.window), "its X window")
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    labels = lambda: [text(c) for c in walk(history) if c.getRoleName() == "label"]
    wait_for(lambda: "行数: 4" in labels(), lambda: "four lines, not %s" % labels())
    # Keys go to the window the program takes as active, which may lag the X focus.
    wait_for(lambda: history.getState().contains(pyatspi.STATE_ACTIVE), "the history window to be active")
    entry = next(c for c in walk(history) if c.getRoleName() == "text")
    subprocess.run(["xdotool", "key", "alt+n"], check=True)
    wait_for(lambda: entry.getState().contains(pyatspi.STATE_FOCUSED), "the focus on the draw's entry")
    subprocess.run(["xdotool", "type", "3,7,12,25,31,40+18"], check=True)
    subprocess.run(["xdotool", "key", "Return"], check=True)
    summary = "1等 1 · 2等 1 · 3等 0 · 4等 1 · 5等 1"
    wait_for(lambda: summary in labels(), lambda: "%r among %s" % (summary, labels()))
    assert "読めない行: 1 (4)" in labels(), labels()
    assert "偏りの検定: χ² = 111.05 (自由度 42), p < 0.0001 · 判断には行数が足りません" in labels(), labels()

    # A result file read in through the window's own file dialog: the lines
    # were played for its draw, and assistive technology reads the totals.
    results = os.path.join(folder, "results.csv")
    with open(results, "w", encoding="shift_jis") as f:
        f.write("第1950回,%s,3,7,12,25,31,40,18,1,1,0,9,99,200000000,10000000,300000,6800,1000\r\n"
                % DRAW.strftime("%Y/%m/%d"))
    dialog = open_dialog(drava, history)
    name = wait_for(lambda: next(c for c in walk(dialog) if c.getRoleName() == "text" and c.getState().contains(pyatspi.STATE_FOCUSED)), "its file name")
    name.queryEditableText().setTextContents(results)
    next(c for c in walk(dialog) if c.getRoleName() == "push button" and text(c) == "Open").queryAction().doAction(0)
    if_bought = "4 行すべてなら 800 円 · 賞金 210,007,800 円 · 差 210,007,000 円 · 26,250,975.0 % · 結果待ち 0 行"
    wait_for(lambda: if_bought in labels(), lambda: "%r among %s" % (if_bought, labels()))
    assert "追加 1 · 既存 0 · 食い違い 0 · 読めない行 0" in labels(), labels()
    buy_and_receive(history, folder)

    # The draws' own page: how often each number was drawn, and the test of
    # evenness on the draws, as assistive technology reads them.
    next(c for c in walk(history) if c.getRoleName() == "page tab" and text(c) == "当せん結果(B)").queryAction().doAction(0)
    chart = next(c for c in walk(history) if text(c) == "抽せんの出現回数")
    wait_for(lambda: chart.getState().contains(pyatspi.STATE_SHOWING), "the draws' page")
    counts = ", ".join("%d: %d" % (n, n in (3, 7, 12, 25, 31, 40)) for n in range(1, 44))
    assert chart.description == counts, chart.description
    assert "偏りの検定: χ² = 42.00 (自由度 42), p = 0.4710 · 判断には回数が足りません" in labels(), labels()

    open_dialog(drava, history)
    close_at_once(drava)


def buy_and_receive(history, folder):
    """Lines A and B chosen and recorded as one ticket of two units: the
    totals come from it alone; its win in 第1950回 marked received."""
    described = lambda what: next(c for c in walk(history) if c.description == what)
    named = lambda role, name: next(c for c in walk(history) if c.getRoleName() == role and text(c) == name)
    assert text(described("収支")).startswith("購入の記録はまだありません"), text(described("収支"))
    lines = named("table", "抽選した行").queryTable()
    for row in (2, 3):  # newest first: B, then A
        lines.addRowSelection(row)
    named("push button", "購入を記録").queryAction().doAction(0)
    chosen = lambda: named("text", "購入する行").queryText().getText(0, -1)
    wait_for(lambda: chosen() == "%s,20:00:00,A; %s,20:00:00,B" % (DRAWN, DRAWN), chosen)
    wait_for(lambda: text(described("初回の抽せん日")) == DRAW.strftime("%Y/%m/%d"), lambda: text(described("初回の抽せん日")))
    named("spin button", "口数").queryValue().currentValue = 2
    named("push button", "購入を記録する").queryAction().doAction(0)
    wait_for(lambda: text(described("購入を記録した結果")) == "購入 1 を記録しました", lambda: text(described("購入を記録した結果")))
    # 2 lines × 2 units × 1 draw; 1等 and 2等, each twice.
    bought = "購入 1 枚 · 2 行 · 2 回分 · 800 円 · 当せん 420,000,000 円 · 収支 419,999,200 円 · 還元 52,500,000.0 % · 結果待ち 0 回分"
    wait_for(lambda: text(described("収支")).startswith(bought + " · 未受取 420,000,000 円"), lambda: text(described("収支")))

    next(c for c in walk(history) if c.getRoleName() == "page tab" and text(c) == "購入の記録(S)").queryAction().doAction(0)
    tickets = named("table", "購入の記録").queryTable()
    tickets.addRowSelection(0)
    plays = named("table", "選んだ購入の内訳").queryTable()
    wait_for(lambda: plays.nRows == 2, "the ticket's two plays")
    plays.addRowSelection(0)
    named("push button", "受取済にする").queryAction().doAction(0)
    wait_for(lambda: text(described("収支")) == bought, lambda: text(described("収支")))
    outcome = lambda: text(tickets.getAccessibleAt(0, 7))
    wait_for(lambda: outcome() == "第1950回 1等 400,000,000 円 受取済 + 2等 20,000,000 円 受取済", outcome)
    with open(os.path.join(folder, "KelpTickets.csv"), "rb") as f:
        assert f.read().endswith(b"received,1,1950\r\n")


def close_during_a_draw():
    drava = Drava(sys.argv[1])
    drava.key("shift+F10")
    wait_for(lambda: next(c for c in walk(drava.app) if c.getRoleName() == "menu item"), "the menu").queryAction().doAction(0)
    open_dialog(drava, history_of(drava))
    drava.line("A")[1].queryAction().doAction(0)
    wait_for(lambda: text(drava.line("A")[1]) != "START", "line A's draw to begin")
    close_at_once(drava)


def history_of(drava):
    return wait_for(lambda: next(w for w in drava.app if text(w) == "履歴と照合"), "the history window")


def open_dialog(drava, history):
    next(c for c in walk(history) if c.getRoleName() == "push button" and text(c) == "結果の読み込み").queryAction().doAction(0)
    return wait_for(lambda: next(w for w in drava.app if text(w) == "結果の読み込み"), "the file dialog")


def close_at_once(drava):
    """The main window closed as a window manager does: the program ends, whatever else is open."""
    drava.close_window()
    try:
        status = drava.process.wait(10)
    except subprocess.TimeoutExpired:
        raise AssertionError("the program still runs 10 s after its window was closed")
    assert status == 0, "exit status %d after closing" % status


def walk_menus(app):
    return (c for c in walk(app) if c.getRoleName() == "menu item")


run(lambda: (check_from_history(), close_during_a_draw()))

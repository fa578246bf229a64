#!/usr/bin/python3
"""Reads Numbrook through the AT-SPI accessibility bus the way a screen
reader such as Orca does, and works it only through that bus: buttons are
pressed by their press action and text is written through the editable-text
interface, never with the mouse or the keyboard.

Usage: read_windows.py PROGRAM DUMP_FOLDER

Starts PROGRAM with accessibility on (the session bus and an X display must
be there), visits the menu, a practice drill with a problem on show and its
result panel, a 10-question exam and the tips book, and writes the tree of
each window as read to DUMP_FOLDER. It fails on a visible control without a
name, a picture that is not an image, two buttons of one window with the
same name, a drill answer box that does not tell the problem on show, an
unused exam slot that can be seen or focused, a ClickLabel without its press
action, and a menu button that still works while a module window is open. The program is stopped by its pid however the run ends.
"""

import os
import re
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PICTURES = {"主菜单图画", "蓝天背景", "错题本背景", "加号", "减号", "乘号", "除号", "等号", "小狗", "对", "错", "圆圈", "跑道"}
DIGITS = "零一二三四五六七八九"
MENU_BUTTONS = ["练习篇", "竞技篇", "考试篇", "技巧篇", "错题本", "今日练习", "离开", "我在最前面", "藏起来", "帮助"]
# Containers: a named one is announced, an unnamed one holding controls is
# passed over by a screen reader.
CONTAINERS = {"filler", "panel", "frame", "dialog"}
# Qt's own parts of a scrolled text or table (the viewport, the corner)
# are empty containers inside it.
SCROLLED = {"text", "table"}

faults = []

# Limits for a machine busy with other work: a step that is only slow must
# never fail the check, and a real fault is told all the same.
STEP_SECONDS = 120
START_SECONDS = 300


def fault(window, text):
    faults.append(f"{window}: {text}")
    print(f"FAULT {window}: {text}", flush=True)


def wait_for(what, probe, timeout=STEP_SECONDS):
    end = time.monotonic() + timeout
    events = GLib.MainContext.default()
    while time.monotonic() < end:
        while events.pending():
            events.iteration(False)
        try:
            found = probe()
        except Exception:  # an object that went away while it was read
            found = None
        if found:
            return found
        time.sleep(0.05)
    raise RuntimeError(f"timed out waiting for {what}")


def has(obj, state):
    return obj.getState().contains(state)


def showing(obj):
    return has(obj, pyatspi.STATE_SHOWING) and has(obj, pyatspi.STATE_VISIBLE)


def children(obj):
    return [child for child in obj if child is not None]


def text_of(obj):
    try:
        return obj.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def action_names(obj):
    try:
        action = obj.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def press(obj):
    action = obj.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click"):
            action.doAction(i)
            # A Qt button clicks 100 ms after it is pressed.
            time.sleep(0.15)
            return
    raise RuntimeError(f"{obj.name} has no press action")


def descendants(obj, through_hidden=False):
    """Every object below obj in tree order; below a hidden one only when
    asked. Lists are not entered: their rows are read on purpose."""
    for child in children(obj):
        yield child
        if child.getRoleName() == "list":
            continue
        if through_hidden or showing(child):
            yield from descendants(child, through_hidden)


def find(root, name, role=None, visible=True):
    for obj in descendants(root, through_hidden=not visible):
        if obj.name == name and (role is None or obj.getRoleName() == role) and (not visible or showing(obj)):
            return obj
    return None


def must_find(root, name, role=None):
    return wait_for(f'"{name}"', lambda: find(root, name, role))


class Program:
    def __init__(self, path):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        self.process = subprocess.Popen([path], env=env)
        try:
            self.app = wait_for("the program on the bus", self.find_app, timeout=START_SECONDS)
        except BaseException:
            self.stop()
            raise

    def find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "numbrook" and app.get_process_id() == self.process.pid:
                return app
        return None

    def windows(self):
        return [w for w in children(self.app) if showing(w)]

    def window(self, title):
        return wait_for(f'the window "{title}"', lambda: next((w for w in self.windows() if w.name == title), None))

    def window_gone(self, title):
        wait_for(f'"{title}" to close', lambda: all(w.name != title for w in self.windows()))

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()


class Notifications:
    """The notifications the program brings into sight, heard from the bus's
    events as a screen reader hears them: one shown for a second is heard
    however long reading the tree takes on a busy machine."""

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self.on_showing, "object:state-changed:showing")

    def on_showing(self, event):
        try:
            if event.detail1 and event.source.getRoleName() == "notification":
                self.heard.append(event.source.name)
        except Exception:  # an object that went away
            pass


def dump(window, folder, file_name):
    """Writes the tree as read; rows of a list, beyond the first three, are
    only counted."""
    lines = []

    def visit(obj, depth):
        states = [s for s, on in (("showing", showing(obj)), ("focusable", has(obj, pyatspi.STATE_FOCUSABLE)),
                                  ("focused", has(obj, pyatspi.STATE_FOCUSED))) if on]
        actions = action_names(obj)
        line = f"{'  ' * depth}{obj.getRoleName()} \"{obj.name}\""
        if obj.description:
            line += f" ({obj.description})"
        if states:
            line += " [" + ", ".join(states) + "]"
        if actions:
            line += " {" + ", ".join(actions) + "}"
        lines.append(line)
        kids = children(obj)
        if obj.getRoleName() == "list":
            for row in kids[:3]:
                visit(row, depth + 1)
            if len(kids) > 3:
                lines.append(f"{'  ' * (depth + 1)}… {len(kids)} rows in all")
            return
        for child in kids:
            if showing(child):
                visit(child, depth + 1)

    visit(window, 0)
    with open(os.path.join(folder, file_name), "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    return len(lines)


def audit(window, label):
    """The rules every window keeps, over what is on show."""
    button_names = {}
    for obj in descendants(window):
        if not showing(obj):
            continue
        role = obj.getRoleName()
        if not obj.name:
            if role == "label" and not text_of(obj):
                continue  # an empty label shows nothing and says nothing
            if role in CONTAINERS and any(showing(c) for c in children(obj)):
                continue
            if role in CONTAINERS and obj.parent.getRoleName() in SCROLLED:
                continue
            fault(label, f"a visible {role} without a name")
        if obj.name in PICTURES and role != "image":
            fault(label, f'the picture "{obj.name}" is a {role}, not an image')
        if role == "image" and obj.name not in PICTURES:
            fault(label, f'an image named "{obj.name}", not a picture of this program')
        if role == "push button":
            if obj.name in button_names:
                fault(label, f'two buttons named "{obj.name}"')
            button_names[obj.name] = obj


def menu_ignores_presses(program, menu, module):
    """Every menu button pressed while a module is open: nothing may open,
    and the program must not end."""
    before = sorted(w.name for w in program.windows())
    faults_before = len(faults)
    for name in MENU_BUTTONS:
        press(find(menu, name, "push button"))
    time.sleep(0.5)
    if program.process.poll() is not None:
        fault(module, "a menu button ended the program under the open module")
        raise RuntimeError("the program ended")
    after = sorted(w.name for w in program.windows())
    if after != before:
        fault(module, f"menu buttons pressed under the module changed the windows: {before} -> {after}")
    if len(faults) == faults_before:
        print(f"{module}: {len(MENU_BUTTONS)} menu buttons pressed through AT-SPI, all ignored", flush=True)


def close_message_box(program, known):
    box = wait_for("a message box", lambda: next((w for w in program.windows() if w.name not in known), None))
    audit(box, "message box")
    press(next(b for b in descendants(box) if b.getRoleName() == "push button"))
    wait_for("the message box to close", lambda: all(w.name in known for w in program.windows()))


def problem_on_show(drill):
    """The operands and sign as a screen reader reads them, and the answer."""
    labels = []
    for obj in descendants(drill):
        if obj.getRoleName() == "label" and showing(obj) and re.fullmatch(r"\d+", obj.name or ""):
            labels.append((obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x, int(obj.name)))
    signs = [obj.name for obj in descendants(drill)
             if obj.name in ("加号", "减号", "乘号", "除号") and showing(obj)]
    if len(labels) != 2 or len(signs) != 1:
        raise RuntimeError(f"no problem on show: {labels} {signs}")
    (_, a), (_, b) = sorted(labels)
    sign = signs[0]
    answer = {"加号": a + b, "减号": a - b, "乘号": a * b, "除号": a // b if b else 0}[sign]
    return f"{a}{'+-*/'['加减乘除'.index(sign[0])]}{b}", answer


def answer_on_keypad(drill, value):
    box = must_find(drill, "答案", "text")
    for i, digit in enumerate(str(value)):
        press(must_find(drill, DIGITS[int(digit)], "push button"))
        wait_for("the digit in the answer box", lambda: text_of(box) == str(value)[: i + 1])
    press(must_find(drill, "确定", "push button"))
    wait_for("the next problem", lambda: text_of(box) == "")


def visit_drill(program, menu, folder):
    press(find(menu, "练习篇", "push button"))
    drill = program.window("口算练习篇")
    notifications = Notifications()
    menu_ignores_presses(program, menu, "drill")
    for name in ("我在最前面", "藏起来"):
        control = must_find(drill, name)
        if not any(a.lower() in ("press", "click") for a in action_names(control)):
            fault("drill", f'"{name}" has no press action')
    press(find(drill, "我在最前面"))

    press(must_find(drill, "开始", "push button"))
    must_find(drill, "等号")
    audit(drill, "drill")
    print(f"drill with a problem on show: {dump(drill, folder, 'drill.txt')} objects", flush=True)

    right, wrong = [], []
    box = must_find(drill, "答案", "text")
    for answer_rightly in (True, False, True):
        line, answer = problem_on_show(drill)
        # The answer box keeps the focus; its description tells the problem.
        a, sign, b = re.fullmatch(r"(\d+)([-+*/])(\d+)", line).groups()
        told = f"{a}{dict(zip('+-*/', ('加', '减', '乘', '除以')))[sign]}{b}等于"
        if box.description != told:
            fault("drill", f'the answer box tells "{box.description}", not "{told}"')
        given = answer if answer_rightly else answer + 1
        before = len(notifications.heard)
        answer_on_keypad(drill, given)
        (right if answer_rightly else wrong).append(f"{line}={given}")
        # Free practice keeps to the two sounds: nothing tells the right answer.
        heard = "对了" if answer_rightly else f"错了，{told}{answer}"
        if find(drill, heard, "notification") is not None or heard in notifications.heard[before:]:
            fault("drill", f'the notification "{heard}" in free practice')

    press(must_find(drill, "查看", "push button"))
    must_find(drill, "成绩")
    audit(drill, "result panel")
    for name, expected in (("做对的题", right), ("做错的题", wrong)):
        answers = must_find(drill, name)
        if answers.getRoleName() != "list":
            fault("result panel", f'"{name}" is a {answers.getRoleName()}, not a list')
        rows = [(row.getRoleName(), row.name) for row in children(answers)]
        if rows != [("list item", line) for line in expected]:
            fault("result panel", f'"{name}" reads {rows}, not the rows {expected}')
    print(f"result panel: {dump(drill, folder, 'result-panel.txt')} objects, rows {right} and {wrong}", flush=True)

    press(must_find(drill, "我知道了", "push button"))
    press(must_find(drill, "离开", "push button"))
    program.window_gone("口算练习篇")


def visit_exam(program, menu, folder):
    press(find(menu, "考试篇", "push button"))
    exam = program.window("考场")
    audit(exam, "exam settings")
    press(must_find(exam, "设置考试条件", "push button"))
    start = must_find(exam, "考试", "push button")
    wait_for("考试 to be enabled", lambda: has(start, pyatspi.STATE_ENABLED))
    press(start)
    page = must_find(exam, "第一页")
    menu_ignores_presses(program, menu, "exam room")

    # Ten questions: the answer boxes of slots 1 to 10 and the name box, and
    # nothing of the ninety others, on either page.
    reachable = []
    for box in descendants(exam, through_hidden=True):
        if box.getRoleName() != "text" or box.name == "考生姓名":
            continue
        number = re.match(r"第(\d+)题 ", box.name or "")
        if showing(box) or has(box, pyatspi.STATE_FOCUSABLE):
            reachable.append(int(number.group(1)) if number else box.name)
    if reachable != list(range(1, 11)):
        fault("exam", f"the answer boxes seen or focusable are {reachable}, not the ten of the paper")
    audit(exam, "exam")
    print(f"exam of 10: {dump(exam, folder, 'exam.txt')} objects, answer boxes {reachable}", flush=True)

    find(page, "考生姓名", "text").queryEditableText().setTextContents("小明")
    known = [w.name for w in program.windows()]
    press(must_find(exam, "交卷", "push button"))
    close_message_box(program, known)
    press(must_find(exam, "判卷", "push button"))
    def ten_marks():
        marks = [obj for obj in descendants(page) if obj.name in ("对", "错") and showing(obj)]
        return marks if len(marks) == 10 else None

    marks = wait_for("ten marks", ten_marks)
    if any(mark.getRoleName() != "image" for mark in marks):
        fault("graded exam", "a mark is not an image")
    audit(exam, "graded exam")
    print(f"graded exam: {dump(exam, folder, 'graded-exam.txt')} objects", flush=True)
    press(must_find(exam, "退出", "push button"))
    program.window_gone("考场")


def visit_tips(program, menu, folder):
    press(find(menu, "技巧篇", "push button"))
    tips = program.window("技巧篇")
    menu_ignores_presses(program, menu, "tips book")
    press(must_find(tips, "详解技巧", "push button"))
    audit(tips, "tips book")
    print(f"tips book: {dump(tips, folder, 'tips.txt')} objects", flush=True)
    press(must_find(tips, "技巧添加", "push button"))
    must_find(tips, "新技巧", "text")
    audit(tips, "tips book adding")
    print(f"tips book adding: {dump(tips, folder, 'tips-adding.txt')} objects", flush=True)
    press(must_find(tips, "返回查看", "push button"))
    press(must_find(tips, "谢谢，再见", "push button"))
    program.window_gone("技巧篇")


def visit_notebook(program, menu, folder):
    """The drill above left one wrong answer, due tomorrow: today the
    notebook lists it and says that nothing is due."""
    press(find(menu, "错题本", "push button"))
    notebook = program.window("错题本")
    menu_ignores_presses(program, menu, "notebook")
    audit(notebook, "notebook")
    print(f"notebook: {dump(notebook, folder, 'notebook.txt')} objects", flush=True)
    known = [w.name for w in program.windows()]
    press(must_find(notebook, "开始复习", "push button"))
    close_message_box(program, known)
    press(must_find(notebook, "离开", "push button"))
    program.window_gone("错题本")


def main():
    program_path, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    # Stopped by the check's time limit, the program is still stopped below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("read_windows: stopped"))
    # AT-SPI gives up on a program that answers a call after 0.8 s, as a
    # busy one may.
    pyatspi.setTimeout(STEP_SECONDS * 1000, START_SECONDS * 1000)
    started = time.monotonic()
    program = Program(program_path)
    try:
        menu = program.window("口算能力")
        audit(menu, "menu")
        print(f"menu: {dump(menu, folder, 'menu.txt')} objects", flush=True)
        visit_drill(program, menu, folder)
        visit_exam(program, menu, folder)
        visit_tips(program, menu, folder)
        visit_notebook(program, menu, folder)
        press(find(menu, "离开", "push button"))
        program.process.wait(timeout=STEP_SECONDS)
    except Exception as error:
        fault("run", str(error))
    finally:
        program.stop()
    took = time.monotonic() - started
    if faults:
        print(f"read_windows: {len(faults)} faults in {took:.1f} s", flush=True)
        return 1
    print(f"read_windows: every window read and worked through AT-SPI in {took:.1f} s", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())

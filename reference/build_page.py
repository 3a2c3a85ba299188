#!/usr/bin/env python3
"""Builds the authors' reference page (Russian, UTF-8, self-contained).

    build_page.py TABLES.json ACTIONS.json SHOTS_DIR OUT_DIR

TABLES.json is what hqtables dumps from the plug-in itself: the catalogue
(names, hints, groups) and the design of every property dialog (captions,
section titles, labels, option captions). ACTIONS.json holds what is written
by hand for each action: what it does, its parameters in plain words, the
variables it writes, its errors and an example. Every action of the catalogue
must have an entry there and every entry must name a catalogue action; a
parameter held by a hidden field must say which controls fill it. Anything
missing stops the build with a message.

Writes OUT_DIR/index.html and the dialog pictures beside it in OUT_DIR/img/.
"""
import html
import json
import shutil
import sys
from pathlib import Path


class ReferenceError_(Exception):
    pass


def esc(text):
    return html.escape(text, quote=True)


def section_of(dialog, control):
    """The section whose frame holds the control: below its title bar's top,
    beside its left strip (gy + 2, V high) and under its top strip (S wide)."""
    best = None
    for s in dialog["sections"]:
        if s["x"] <= control["x"] <= s["x"] + s["strip"] and s["y"] <= control["y"] <= s["y"] + 2 + s["left"]:
            if best is None or (s["y"], s["x"]) > (best["y"], best["x"]):
                best = s
    return best


def field_label(dialog, control):
    """The caption naming a field: a label or check box directly above it
    ("Слева :"), or else a label to its left on the same row ("Качество jpg :")."""
    for c in dialog["controls"]:
        if c["kind"] in ("label", "check") and c["text"] and abs(c["x"] - control["x"]) <= 4 \
                and 0 < control["y"] - c["y"] <= 24:
            return c
    left = [c for c in dialog["controls"] if c["kind"] == "label" and c["text"] and c is not control
            and abs(c["y"] - control["y"]) <= 4 and c["x"] < control["x"]]
    return max(left, key=lambda c: c["x"]) if left else None


def control_caption(c):
    if c["kind"] in ("radio", "check"):
        return "«%s»" % c["text"].strip()
    if c["kind"] == "combo":
        items = c["items"]
        shown = ", ".join("«%s»" % i for i in items[:4])
        more = " и ещё %d" % (len(items) - 4) if len(items) > 4 else ""
        return "список: %s%s" % (shown, more)
    if c["kind"] == "slider":
        return "ползунок %d…%d" % (c["min"], c["max"])
    return ""


def parameter_labels(action, dialog, number, entry):
    """What the dialog shows for parameter `number`: section title, label, option captions."""
    by_name = {c["name"]: c for c in dialog["controls"]}
    holders = [c for c in dialog["controls"] if c["holds"] == number]
    if not holders:
        raise ReferenceError_("%s: no control of %s holds parameter %d" % (action, dialog["class"], number))
    holder = holders[0]
    names = entry.get("from", {}).get(str(number))
    if holder["hidden"] and not names:
        raise ReferenceError_("%s: parameter %d is held by the hidden field %s; say in \"from\" which "
                              "controls fill it" % (action, number, holder["name"]))
    sources = []
    for name in names or []:
        if name not in by_name:
            raise ReferenceError_("%s: control %s named in \"from\" is not in %s" % (action, name, dialog["class"]))
        sources.append(by_name[name])
    anchor = sources[0] if sources else holder
    parts = []
    section = section_of(dialog, anchor)
    if section:
        parts.append("<b>%s</b>" % esc(section["title"].strip()))
    named = field_label(dialog, anchor) if not sources else None
    if named:
        parts.append(esc(named["text"].strip()))
    captions = [control_caption(c) for c in sources]
    if not sources:
        # A slider beside a label that shows its value (quality).
        captions = [control_caption(c) for c in dialog["controls"]
                    if c["kind"] == "slider" and section_of(dialog, c) is section and holder["kind"] == "label"]
    captions = [esc(c) for c in captions if c]
    if captions:
        parts.append(", ".join(captions))
    return " — ".join(parts) if parts else "—"


def load(tables_path, actions_path):
    tables = json.loads(Path(tables_path).read_text(encoding="utf-8"))
    actions = json.loads(Path(actions_path).read_text(encoding="utf-8"))
    shared = actions.pop("_shared", {})
    names = [r["name"] for r in tables["catalogue"] if r["id"] != 0]
    problems = []
    for name in names:
        if name not in actions:
            problems.append("%s has no hand-written entry in %s" % (name, actions_path))
    for name in actions:
        if name not in names:
            problems.append("%s in %s is not an action of the catalogue" % (name, actions_path))
    counts = {r["name"]: r["count"] for r in tables["catalogue"] if r["id"] != 0}
    for name, entry in actions.items():
        if name not in counts:
            continue
        for key in ("what", "params", "vars", "errors", "example"):
            if key not in entry:
                problems.append("%s: the entry lacks \"%s\"" % (name, key))
        if len(entry.get("params", [])) != counts[name]:
            problems.append("%s: %d parameters described, the catalogue has %d"
                            % (name, len(entry.get("params", [])), counts[name]))
        if len(entry.get("example", [])) != counts[name]:
            problems.append("%s: the example gives %d values, the catalogue has %d parameters"
                            % (name, len(entry.get("example", [])), counts[name]))
    # Texts several actions share: "@key" as an error, or as a word of "what".
    def expand(text, where):
        if text.startswith("@") and " " not in text:
            key = text[1:]
        else:
            for key in shared:
                text = text.replace("@" + key, shared[key])
            return text
        if key not in shared:
            problems.append("%s: no shared text \"%s\"" % (where, key))
            return text
        return shared[key]
    for name, entry in actions.items():
        entry["what"] = expand(entry.get("what", ""), name)
        entry["errors"] = [expand(e, name) for e in entry.get("errors", [])]
    if problems:
        raise ReferenceError_("\n".join(problems))
    return tables, actions


STYLE = """
body{font:15px/1.45 "Liberation Sans",Arial,sans-serif;margin:0;color:#1d2330;background:#f4f5f7}
header{background:#24476b;color:#fff;padding:18px 32px}
header h1{margin:0;font-size:26px}
header p{margin:4px 0 0;opacity:.9}
header code{background:#3a5f86;color:#fff}
main{max-width:980px;margin:0 auto;padding:8px 24px 48px}
nav{background:#fff;border:1px solid #d5d9e0;border-radius:6px;padding:10px 20px;margin:18px 0;columns:2;column-gap:32px}
nav h2{column-span:all;margin:4px 0 8px;font-size:18px}
nav div{break-inside:avoid;margin-bottom:8px}
nav b a{font:bold 14px "Liberation Sans",Arial,sans-serif;color:#24476b;margin-bottom:2px}
nav a{display:block;color:#1d4f91;text-decoration:none;font-family:"Liberation Mono",monospace;font-size:13px}
nav a:hover{text-decoration:underline}
h2.group{margin:34px 0 10px;padding-bottom:4px;border-bottom:2px solid #24476b;color:#24476b}
section.action{background:#fff;border:1px solid #d5d9e0;border-radius:6px;padding:12px 20px 16px;margin:14px 0}
section.action h3{margin:0 0 4px;font-family:"Liberation Mono",monospace;font-size:19px}
section.action h3 small{font:13px "Liberation Sans",Arial,sans-serif;color:#667;margin-left:8px}
.hint{margin:6px 0 10px;padding:6px 12px;border-left:4px solid #8fb0d6;background:#eef3fa}
h4{margin:12px 0 4px;font-size:15px;color:#24476b}
h4+p{margin-top:2px}
table{border-collapse:collapse;width:100%;font-size:14px}
th,td{border:1px solid #d5d9e0;padding:4px 8px;text-align:left;vertical-align:top}
th{background:#eef1f5}
code{font-family:"Liberation Mono",monospace;font-size:13px;background:#f0f1f4;padding:0 3px;border-radius:3px}
ul{margin:4px 0;padding-left:22px}
figure{margin:12px 0 0}
figure img{border:1px solid #c3c8d0;max-width:100%}
figcaption{font-size:13px;color:#556}
.top{font-size:13px;float:right;color:#1d4f91}
"""


def render(tables, actions, shots, out):
    out = Path(out)
    img = out / "img"
    img.mkdir(parents=True, exist_ok=True)
    dialogs = {d["action"]: d for d in tables["dialogs"]}
    version = tables["version"]

    groups = []
    for row in tables["catalogue"]:
        if row["id"] == 0:
            groups.append((row["name"], []))
        else:
            groups[-1][1].append(row)

    body = []
    toc = ['<nav id="contents"><h2>Содержание</h2>']
    for gi, (group, rows) in enumerate(groups, 1):
        toc.append('<div><b><a href="#group-%d">%s</a></b>' % (gi, esc(group)))
        toc.extend('<a href="#%s">%s</a>' % (r["name"], esc(r["name"])) for r in rows)
        toc.append("</div>")
    toc.append("</nav>")

    for gi, (group, rows) in enumerate(groups, 1):
        body.append('<h2 class="group" id="group-%d">%s</h2>' % (gi, esc(group)))
        for row in rows:
            body.append(render_action(row, actions[row["name"]], dialogs.get(row["name"]), shots, img))

    page = """<!DOCTYPE html>
<html lang="ru">
<head>
<meta charset="utf-8">
<title>zeZoreredur %(v)s — справочник действий</title>
<style>%(style)s</style>
</head>
<body>
<header><h1>zeZoreredur %(v)s — справочник действий</h1>
<p>Модуль <code>zeZoreredur.hqp</code>: %(groups)d групп, %(actions)d действий. Имена, подсказки и подписи
диалогов взяты из самого модуля.</p></header>
<main>
<p>Каждое действие описано так: подсказка, которую показывает программа-автор; что действие делает;
его параметры с подписями из окна свойств; переменные, в которые оно пишет результат; ошибки, которыми
оно может прервать сценарий; пример заполненных параметров и снимок окна свойств. Все параметры — текст.
Числа записываются десятичными цифрами (можно со знаком) или шестнадцатеричными после <code>$</code>,
<code>x</code> или <code>0x</code>; иначе действие прерывается ошибкой
<code>'&lt;текст&gt;' is not a valid integer value</code>. Ключевые слова (<code>Bmp</code>,
<code>TrColor</code>, <code>LeftButton</code>, <code>0</code>/<code>1</code>) сравниваются точно, с учётом
регистра. Переменные указываются в квадратных скобках, например <code>[Pixel]</code>.</p>
%(toc)s
%(body)s
</main>
</body>
</html>
""" % {"v": esc(version), "style": STYLE, "groups": len(groups),
       "actions": sum(len(r) for _, r in groups), "toc": "\n".join(toc), "body": "\n".join(body)}
    (out / "index.html").write_text(page, encoding="utf-8")


def render_action(row, entry, dialog, shots, img):
    name = row["name"]
    h = ['<section class="action" id="%s">' % name,
         '<a class="top" href="#contents">к содержанию ↑</a>',
         "<h3>%s<small>№ %d</small></h3>" % (esc(name), row["id"]),
         '<p class="hint">%s</p>' % esc(row["hint"]),
         "<h4>Что делает</h4><p>%s</p>" % entry["what"]]
    if row["count"]:
        h.append("<h4>Параметры</h4><table><tr><th>№</th><th>В окне свойств</th><th>Что указать</th>"
                 "<th>Пример</th></tr>")
        for n in range(1, row["count"] + 1):
            shown = parameter_labels(name, dialog, n, entry) if dialog else "—"
            example = entry["example"][n - 1]
            h.append("<tr><td>%d</td><td>%s</td><td>%s</td><td><code>%s</code></td></tr>"
                     % (n, shown, entry["params"][n - 1], esc(example) if example else "(пусто)"))
        h.append("</table>")
    else:
        h.append("<h4>Параметры</h4><p>Нет. Окна свойств у действия нет.</p>")
    h.append("<h4>Переменные</h4>")
    h.append("<ul>%s</ul>" % "".join("<li>%s</li>" % v for v in entry["vars"]) if entry["vars"]
             else "<p>Не пишет в переменные.</p>")
    h.append("<h4>Ошибки</h4>")
    h.append("<ul>%s</ul>" % "".join("<li>%s</li>" % e for e in entry["errors"]) if entry["errors"]
             else "<p>Не прерывает сценарий ошибкой.</p>")
    if dialog:
        shot = Path(shots) / ("dialog-%d.png" % row["id"])
        if not shot.is_file():
            raise ReferenceError_("%s: no picture of its dialog at %s" % (name, shot))
        shutil.copyfile(shot, img / shot.name)
        caption = esc(dialog["caption"].strip())
        h.append('<figure><img src="img/%s" alt="Окно «%s»"><figcaption>Окно «%s»</figcaption></figure>'
                 % (shot.name, caption, caption))
    h.append("</section>")
    return "\n".join(h)


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        tables, actions = load(argv[1], argv[2])
        render(tables, actions, argv[3], argv[4])
    except ReferenceError_ as e:
        print("reference: %s" % e, file=sys.stderr)
        return 1
    print("reference: %s/index.html" % argv[4])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

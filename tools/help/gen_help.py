#!/usr/bin/env python3
"""Writes the help project of "quil.chm": a topic "html/NNNNN.htm" for every help topic the
program can ask for, the contents and index files, and the project file for chmcmd.

Hand-written topics come from topics/. The program's help ids are found in its sources: the
help-id table of app/help.cpp, the help topics of dialog title records, the help ids passed to
ShowHelpTopic, the help ids of the menu popups (F1 on an open popup), the message numbers of the message functions and of the language reports, and the
rows {number, LANG_ID(text)} of the message tables (between the markers MESSAGE-TABLE-BEGIN and
MESSAGE-TABLE-END), whose numbers are shown through a variable (help id 50000 + number). Ids
without a hand-written topic get a generated one; a message topic quotes the English text.

Usage: gen_help.py --src <source root> --out <project folder>
"""
import argparse
import glob
import html
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lang"))
import langsrc  # noqa: E402

SCAN_FOLDERS = ["core", "model", "app", "graphics", "views", "signalling", "elements", "trains", "viewer"]

MESSAGE_CALL = re.compile(
    r"\b(ShowErrorText|ShowInfoText|ShowError|ShowInfo|AskQuestion|LangReport|ReportCollationFile)"
    r"\s*\(\s*(\d+)\s*,\s*(?:LANG_ID\s*\(\s*(\d+)\s*\))?")
MESSAGE_TABLE = re.compile(r"MESSAGE-TABLE-BEGIN(.*?)MESSAGE-TABLE-END", re.S)
TABLE_ROW = re.compile(r"\{\s*(\d+)\s*,\s*LANG_ID\s*\(\s*(\d+)\s*\)")
TITLE_CALL = re.compile(r"\bDlgTitle(?:Text)?\s*\([^,()]*(?:\([^()]*\))?[^,()]*,\s*(\d+)\s*,")
HELP_CALL = re.compile(r"\bShowHelpTopic\s*\(\s*(\d+)\s*\)")
TABLE_PAIR = re.compile(r"\{\s*(\d+)\s*,\s*(\d+)\s*\}")
# Rows of the menu popup table: {MenuPos(a, b), LANG_ID(text), help id}.
POPUP_ROW = re.compile(r"\{\s*MenuPos\s*\([^)]*\)\s*,\s*LANG_ID\s*\(\s*(\d+)\s*\)\s*,\s*(\d+)\s*\}")


def read_table(src):
    text = open(os.path.join(src, "app", "help.cpp"), encoding="utf-8").read()
    body = text.split("HELP-ID-TABLE-BEGIN")[1].split("HELP-ID-TABLE-END")[0]
    return {int(a): int(b) for a, b in TABLE_PAIR.findall(body)}


def read_texts(src):
    """English texts of the program by id, line breaks and tabs shown as blanks."""
    texts = langsrc.read_language(os.path.join(src, "resources", "lang", "en"))
    return {i: t.replace("\r\n", " ").replace("\t", " ") for i, t in texts.items()}


def scan(src):
    messages, dialogs, menus = {}, set(), {}
    for folder in SCAN_FOLDERS:
        for path in sorted(glob.glob(os.path.join(src, folder, "*.cpp"))):
            text = open(path, encoding="utf-8", errors="replace").read()
            found = [(int(m.group(2)), int(m.group(3)) if m.group(3) else None)
                     for m in MESSAGE_CALL.finditer(text)]
            for table in MESSAGE_TABLE.findall(text):
                found += [(int(a), int(b)) for a, b in TABLE_ROW.findall(table) if int(a)]
            for number, text_id in found:
                if number not in messages or messages[number] is None:
                    messages[number] = text_id
            for m in TITLE_CALL.finditer(text):
                if int(m.group(1)):
                    dialogs.add(int(m.group(1)))
            for m in HELP_CALL.finditer(text):
                dialogs.add(int(m.group(1)))
            for m in POPUP_ROW.finditer(text):   # F1 in an open popup asks for its help id
                if int(m.group(2)):
                    menus[int(m.group(2))] = int(m.group(1))
    return messages, dialogs, menus


def page(title, body):
    return ("<html><head><title>%s</title></head>\n<body>\n<h1>%s</h1>\n%s\n"
            "<p><a href=\"11000.htm\">Contents</a></p>\n</body></html>\n") % (
        html.escape(title), html.escape(title), body)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--src", required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    here = os.path.dirname(os.path.abspath(__file__))
    out_html = os.path.join(args.out, "html")
    os.makedirs(out_html, exist_ok=True)

    table = read_table(args.src)
    texts = read_texts(args.src)
    messages, dialogs, menus = scan(args.src)

    topics = {}   # topic number -> (title, html)
    for path in sorted(glob.glob(os.path.join(here, "topics", "*.htm"))):
        number = int(os.path.splitext(os.path.basename(path))[0])
        content = open(path, encoding="utf-8").read()
        title = re.search(r"<title>(.*?)</title>", content).group(1)
        topics[number] = (title, content)

    def topic_of(help_id):
        return table.get(help_id, help_id)

    for help_id, topic in table.items():
        if topic not in topics:
            topics[topic] = ("Help topic %u" % topic, page("Help topic %u" % topic,
                             "<p>General help of the program.</p>"))
    for number in sorted(messages):
        topic = topic_of((number + 50000) & 0xFFFF)
        if topic in topics:
            continue
        text_id = messages[number]
        quoted = ""
        if text_id is not None and text_id in texts:
            quoted = "<p>The message says: <i>%s</i></p>\n" % html.escape(texts[text_id])
        topics[topic] = ("Message %u" % number, page("Message %u" % number, quoted +
                         "<p>This message was shown with the number %u in its title. Read what it says, "
                         "correct the value or the file it names, and try again.</p>" % number))
    for help_id, text_id in sorted(menus.items()):
        topic = topic_of(help_id)
        if topic not in topics:
            caption = texts.get(text_id, "").replace("&", "").split("\t")[0].strip() or "Menu"
            topics[topic] = ("Menu %s" % caption, page("Menu %s" % caption,
                             "<p>The commands of this menu. Choose one with the mouse or its underlined "
                             "letter; F1 on an open menu shows this page.</p>"))
    for help_id in sorted(dialogs):
        topic = topic_of(help_id)
        if topic not in topics:
            topics[topic] = ("Dialog help %u" % topic, page("Dialog help %u" % topic,
                             "<p>Fill in the fields of the dialog and press OK; Cancel leaves everything "
                             "as it was. A bad value is reported and the dialog opens again with the "
                             "cursor in that field.</p>"))

    files = []
    for number in sorted(topics):
        name = "%05u.htm" % number
        with open(os.path.join(out_html, name), "w", encoding="utf-8") as f:
            f.write(topics[number][1])
        files.append("html\\" + name)

    def sitemap_item(number):
        return ('<LI><OBJECT type="text/sitemap"><param name="Name" value="%s">'
                '<param name="Local" value="html\\%05u.htm"></OBJECT>\n') % (html.escape(topics[number][0]), number)

    head = '<HTML><HEAD></HEAD><BODY>\n<OBJECT type="text/site properties"></OBJECT>\n<UL>\n'
    with open(os.path.join(args.out, "quil.hhc"), "w", encoding="utf-8") as f:
        f.write(head + "".join(sitemap_item(n) for n in sorted(topics)) + "</UL>\n</BODY></HTML>\n")
    with open(os.path.join(args.out, "quil.hhk"), "w", encoding="utf-8") as f:
        f.write(head + "".join(sitemap_item(n) for n in sorted(topics, key=lambda n: topics[n][0].lower()))
                + "</UL>\n</BODY></HTML>\n")
    project = open(os.path.join(here, "quil.hhp.in"), encoding="utf-8").read()
    with open(os.path.join(args.out, "quil.hhp"), "w", encoding="utf-8") as f:
        f.write(project + "\n[FILES]\n" + "\n".join(files) + "\n")
    with open(os.path.join(args.out, "topics.txt"), "w", encoding="utf-8") as f:
        f.write("".join("%u\n" % n for n in sorted(topics)))


if __name__ == "__main__":
    main()

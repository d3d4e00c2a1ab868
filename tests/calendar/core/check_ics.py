#!/usr/bin/python3
"""Checks a calendar file as the calendar export must write it (RFC 5545), and prints its UIDs.

    check_ics.py FILE.ics [--expect-events N]

Checks, each a line on stderr and exit status 1 when it fails: CR LF line ends only; no line longer
than 75 octets; folded lines start with one blank; every unfolded line is NAME[;PARAMS]:VALUE;
BEGIN/END nest as VCALENDAR > VEVENT; VERSION:2.0 and PRODID in the calendar; every event has
one UID (all different), one DTSTAMP (UTC date-time), DTSTART;VALUE=DATE and DTEND;VALUE=DATE the
day after, and a SUMMARY; TEXT values escape ; , and line breaks. When the icalendar package is
installed (Debian: python3-icalendar) the file must also parse with it, with the same UIDs.
"""
import datetime
import re
import sys


def fail(message):
    print("check_ics: " + message, file=sys.stderr)
    sys.exit(1)


def unfold(data):
    if b"\n" in data.replace(b"\r\n", b""):
        fail("a line ends without CR LF")
    lines = data.split(b"\r\n")
    if lines[-1] != b"":
        fail("the file does not end with CR LF")
    logical = []
    for raw in lines[:-1]:
        if len(raw) > 75:
            fail(f"a line of {len(raw)} octets: {raw[:40]!r}")
        text = raw.decode("utf-8")
        if text.startswith(" "):
            if not logical:
                fail("the file starts with a folded line")
            logical[-1] += text[1:]
        else:
            logical.append(text)
    return logical


def main():
    args = sys.argv[1:]
    expect = None
    if "--expect-events" in args:
        i = args.index("--expect-events")
        expect = int(args[i + 1])
        del args[i:i + 2]
    data = open(args[0], "rb").read()
    stack, events, calendar = [], [], {}
    for line in unfold(data):
        m = re.match(r"^([A-Z][A-Z0-9-]*)((?:;[A-Z-]+=[^;:]*)*):(.*)$", line)
        if not m:
            fail(f"not a content line: {line!r}")
        name, params, value = m.groups()
        if name == "BEGIN":
            if value not in ("VCALENDAR", "VEVENT") or (value == "VEVENT") != (stack == ["VCALENDAR"]):
                fail(f"BEGIN:{value} in {stack}")
            stack.append(value)
            if value == "VEVENT":
                events.append({})
        elif name == "END":
            if not stack or stack.pop() != value:
                fail(f"END:{value} does not close what is open")
        elif stack == ["VCALENDAR"]:
            calendar[name] = value
        elif stack == ["VCALENDAR", "VEVENT"]:
            if name in events[-1]:
                fail(f"{name} twice in one event")
            events[-1][name] = (params, value)
        else:
            fail(f"{name} outside the calendar")
        if name in ("SUMMARY", "DESCRIPTION", "CATEGORIES") and re.search(r"(?<!\\)[;,]", value.replace("\\\\", "")):
            fail(f"unescaped ; or , in {line!r}")
    if stack:
        fail(f"{stack} left open")
    if calendar.get("VERSION") != "2.0" or "PRODID" not in calendar:
        fail("VERSION:2.0 or PRODID missing")
    uids = []
    for e in events:
        for key in ("UID", "DTSTAMP", "DTSTART", "DTEND", "SUMMARY"):
            if key not in e:
                fail(f"an event without {key}: {e}")
        if not re.fullmatch(r"\d{8}T\d{6}Z", e["DTSTAMP"][1]):
            fail(f"DTSTAMP {e['DTSTAMP'][1]}")
        if e["DTSTART"][0] != ";VALUE=DATE" or e["DTEND"][0] != ";VALUE=DATE":
            fail("DTSTART and DTEND must be dates")
        start = datetime.datetime.strptime(e["DTSTART"][1], "%Y%m%d").date()
        end = datetime.datetime.strptime(e["DTEND"][1], "%Y%m%d").date()
        if end - start != datetime.timedelta(days=1):
            fail(f"event {e['UID'][1]} is not one day long")
        uids.append(e["UID"][1])
    if len(set(uids)) != len(uids):
        fail("UIDs repeat")
    if expect is not None and len(events) != expect:
        fail(f"{len(events)} events, expected {expect}")
    try:
        import icalendar
    except ImportError:
        icalendar = None
    if icalendar is not None:
        parsed = icalendar.Calendar.from_ical(data)
        theirs = [str(c.get("UID")) for c in parsed.walk("VEVENT")]
        if theirs != uids:
            fail("icalendar reads other UIDs")
    print("\n".join(uids))


main()

#!/usr/bin/env bash
# The contact book as the programs that keep contacts and calendars read it: the real quillon
# exports a book made from the rows below; python3-vobject reads the cards, khard lists the
# folder, a Radicale on 127.0.0.1 takes every card by PUT and gives it back, vdirsyncer syncs
# the folder up to it and down into a second folder whose import adds nothing, and
# python3-icalendar reads the birthdays' calendar, whose events fall on the right days.
# Arguments: build folder, source folder. The programs come from tools/deps.sh test.
set -euo pipefail
build=$1
quillon="$build/app/quillon"
py=/usr/bin/python3 # the one Debian's python3-* packages are installed for

for tool in khard vdirsyncer; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run tools/deps.sh test" >&2; exit 1; }
done
$py -c 'import vobject, icalendar, radicale, dateutil' || { echo "run tools/deps.sh test" >&2; exit 1; }

work=$(mktemp -d)
radicale_pid=
cleanup() {
    if [ -n "$radicale_pid" ]; then
        kill "$radicale_pid" 2>/dev/null || true
        wait "$radicale_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"
# Neither khard nor vdirsyncer may read or write the user's own settings.
export HOME="$work" XDG_CONFIG_HOME="$work/.config" XDG_CACHE_HOME="$work/.cache" XDG_DATA_HOME="$work/.data"

cat >check.py <<'PYTHON'
import datetime, pathlib, sys, urllib.error, urllib.request, base64, time
import icalendar, vobject
from dateutil.rrule import rrulestr

# first, last, BDAY as the card gives it (parameters and value), other lines of the card,
# the BDAY exported, the TEL exported, the birthday's days in 2027 and 2028.
ROWS = [
    ("Ann", "Lee", ":1980-03-05", "", "1980-03-05", None, "2027-03-05", "2028-03-05"),
    ("Bo", "Ray", ":--04-15", "", "--0415", None, "2027-04-15", "2028-04-15"),
    ("Li", "Leap", ":1988-02-29", "", "1988-02-29", None, "2027-02-28", "2028-02-29"),
    ("Cy", "Yearless Leap", ":--0229", "", "--0229", None, "2027-02-28", "2028-02-29"),
    ("Di", "Apple", ";X-APPLE-OMIT-YEAR=1604:1604-06-01", "", "--0601", None, "2027-06-01", "2028-06-01"),
    ("Jörg", "Müller-Lüdenscheidt", ":1975-12-31", "NOTE:Zwei\\nZeilen\\, mit \\; und \\\\", "1975-12-31", None,
     "2027-12-31", "2028-12-31"),
    ("Ed", "Twin", ":1990-01-01", "TEL:1", "1990-01-01", "1", "2027-01-01", "2028-01-01"),
    ("Ed", "Twin", ":1990-01-01", "TEL:2", "1990-01-01", "2", "2027-01-01", "2028-01-01"),
    ("Fay", "Pref", ":1991-07-07", "TEL;TYPE=home:1\nTEL;TYPE=cell,pref:2", "1991-07-07", "2", "2027-07-07",
     "2028-07-07"),
    ("Gus", "Agent", ":19700102", "AGENT:\nBEGIN:VCARD\nN:Friday;Fred\nTEL:9\nBDAY:19700101\nEND:VCARD\nTEL:3",
     "1970-01-02", "3", "2027-01-02", "2028-01-02"),
]
NOTE = "Zwei\nZeilen, mit ; und \\"
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def name(row):
    return row[0] + " " + row[1]


def make_input(path):
    cards = []
    for first, last, bday, more, *_ in ROWS:
        lines = ["BEGIN:VCARD", "VERSION:" + ("2.1" if "AGENT" in more else "3.0"), f"N:{last};{first};;;",
                 "BDAY" + bday] + ([more] if more else []) + ["END:VCARD"]
        cards.append("\r\n".join("\r\n".join(lines).split("\n")) + "\r\n")
    pathlib.Path(path).write_text("".join(cards), encoding="utf-8")


def check_cards(cards, where):
    check(len(cards) == len(ROWS), f"{where}: {len(cards)} cards, not {len(ROWS)}")
    uids = [c.uid.value for c in cards if hasattr(c, "uid")]
    check(len(uids) == len(cards) and len(set(uids)) == len(uids), f"{where}: UIDs missing or shared: {uids}")
    left = list(cards)
    for row in ROWS:
        match = [c for c in left if c.fn.value == name(row) and (row[5] is None or c.tel.value == row[5])]
        check(len(match) >= 1, f"{where}: no card for {name(row)}")
        if not match:
            continue
        card = match[0]
        left.remove(card)
        check(card.bday.value == row[4], f"{where}: {name(row)} BDAY {card.bday.value}, not {row[4]}")
        check(tuple(card.n.value.family.split()) == tuple(row[1].split()), f"{where}: {name(row)} N {card.n.value}")
        if row[0] == "Jörg":
            check(card.note.value == NOTE, f"{where}: note {card.note.value!r}")


def vcards(path):
    check_cards(list(vobject.readComponents(pathlib.Path(path).read_text(encoding="utf-8"))), path)


def vdir(folder):
    cards = []
    for file in sorted(pathlib.Path(folder).iterdir()):
        inside = list(vobject.readComponents(file.read_text(encoding="utf-8")))
        check(len(inside) == 1 and file.name == inside[0].uid.value + ".vcf", f"{file}: not one card named by its UID")
        cards += inside
    check_cards(cards, folder)


def content_lines(text):
    return sorted(line for line in text.replace("\r\n ", "").replace("\n ", "").splitlines() if line)


def request(method, url, body=None, headers=None):
    headers = dict(headers or {})
    headers["Authorization"] = "Basic " + base64.b64encode(b"quillon:secret").decode()
    req = urllib.request.Request(url, data=body, method=method, headers=headers)
    try:
        with urllib.request.urlopen(req, timeout=10) as response:
            return response.status, response.read()
    except urllib.error.HTTPError as error:
        return error.code, error.read()


MKCOL = (b'<?xml version="1.0"?><mkcol xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:carddav"><set><prop>'
         b'<resourcetype><collection/><C:addressbook/></resourcetype></prop></set></mkcol>')


def wait_for(url):
    for _ in range(100):
        try:
            request("PROPFIND", url)
            return
        except OSError:
            time.sleep(0.1)
    sys.exit("Radicale did not answer at " + url)


def make_book(url):
    wait_for(url)
    status, _ = request("MKCOL", url, MKCOL, {"Content-Type": "application/xml"})
    check(status == 201, f"MKCOL {url}: {status}")


def radicale(url, folder):
    make_book(url)
    for file in sorted(pathlib.Path(folder).iterdir()):
        sent = file.read_bytes()
        status, answer = request("PUT", url + file.name, sent, {"Content-Type": "text/vcard"})
        check(status == 201, f"PUT {file.name}: {status} {answer[:200]!r}")
        status, back = request("GET", url + file.name)
        check(status == 200 and content_lines(back.decode()) == content_lines(sent.decode()),
              f"GET {file.name} gave back another card:\n{back.decode()}")
    # The server does refuse a card without a UID, as it refused every card before.
    status, _ = request("PUT", url + "no-uid.vcf", b"BEGIN:VCARD\r\nVERSION:3.0\r\nN:X;;;;\r\nFN:X\r\nEND:VCARD\r\n",
                        {"Content-Type": "text/vcard"})
    check(status == 400, f"a card without a UID was taken: {status}")


def phone_card(url):
    card = (b"BEGIN:VCARD\r\nVERSION:3.0\r\nUID:phone-1\r\nN:Phone;Pat;;;\r\nFN:Pat Phone\r\n"
            b"ADR;TYPE=home:;;1 Main St;Springfield;;12345;\r\nBDAY:1985-05-05\r\nEND:VCARD\r\n")
    status, _ = request("PUT", url + "phone-1.vcf", card, {"Content-Type": "text/vcard"})
    check(status == 201, f"PUT of the phone's card: {status}")


def ics(path):
    calendar = icalendar.Calendar.from_ical(pathlib.Path(path).read_bytes())
    events = list(calendar.walk("VEVENT"))
    check(len(events) == len(ROWS), f"{len(events)} events, not {len(ROWS)}")
    check(len({str(e["UID"]) for e in events}) == len(events), "events share a UID")
    for row in ROWS:
        wanted = [row[6], row[7]]
        found = [e for e in events if str(e["SUMMARY"]) == name(row) + "'s birthday"]
        check(found, f"no event for {name(row)}")
        for event in found:
            start = event["DTSTART"].dt
            check(isinstance(start, datetime.date) and not isinstance(start, datetime.datetime),
                  f"{name(row)}: not all-day")
            rule = rrulestr(event["RRULE"].to_ical().decode(), dtstart=datetime.datetime.combine(start, datetime.time()))
            days = [d.date().isoformat() for d in rule.between(datetime.datetime(2027, 1, 1),
                                                               datetime.datetime(2028, 12, 31), inc=True)]
            check(days == wanted, f"{name(row)}: {days}, not {wanted}")


globals()[sys.argv[1]](*sys.argv[2:])
if failures:
    print("\n".join("FAIL: " + f for f in failures), file=sys.stderr)
    sys.exit(1)
print(sys.argv[1], "ok")
PYTHON

status=0
step() { echo "== $*"; }
fail() { echo "FAIL: $*" >&2; status=1; }
rows=$($py -c 'exec(open("check.py").read().split("\nglobals()")[0]); print(len(ROWS))')

step "import the rows, export them as one file: python3-vobject reads every card"
$py check.py make_input in.vcf
"$quillon" --import-vcard in.vcf book.info
"$quillon" --export-vcard book.info >all.vcf
"$quillon" --export-ics book.info >birthdays.ics # read at the end
$py check.py vcards all.vcf || status=1

step "export the folder twice: the second writes nothing; python3-vobject and khard read it"
"$quillon" --export-vdir vdir book.info
second=$("$quillon" --export-vdir vdir book.info)
[ "$second" = "Wrote 0 cards to \"vdir\", $rows unchanged." ] || fail "second export: $second"
$py check.py vdir vdir || status=1
mkdir -p "$XDG_CONFIG_HOME/khard"
cat >"$XDG_CONFIG_HOME/khard/khard.conf" <<KHARD
[addressbooks]
[[quillon]]
path = $work/vdir
KHARD
khard list --parsable >khard.list 2>khard.err </dev/null || fail "khard list: $(cat khard.err)"
[ "$(wc -l <khard.list)" -eq "$rows" ] || fail "khard lists $(wc -l <khard.list) contacts, not $rows"
! grep -i "uid" khard.err || fail "khard refused cards: $(cat khard.err)"
khard birthdays --parsable >khard.birthdays </dev/null || fail "khard birthdays"
# khard's year-less year is 1900 (it shows such a day as --MM-DD); 29 February it cannot
# read without a year, its own limit, so Cy is not asked for.
for line in $'1900.04.15\tBo Ray' $'1900.06.01\tDi Apple' $'1988.02.29\tLi Leap' \
    $'1975.12.31\tJörg Müller-Lüdenscheidt'; do
    grep -qxF "$line" khard.birthdays || fail "khard birthdays lack '$line': $(cat khard.birthdays)"
done

step "Radicale on 127.0.0.1 takes every card by PUT and gives it back"
port=$($py -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
$py -m radicale --server-hosts "127.0.0.1:$port" --auth-type none --rights-type owner_only \
    --storage-filesystem-folder "$work/radicale" --logging-level warning >radicale.log 2>&1 &
radicale_pid=$!
$py check.py radicale "http://127.0.0.1:$port/quillon/put/" vdir || status=1

step "vdirsyncer syncs the folder up to Radicale and down into another; importing that adds nothing"
$py check.py make_book "http://127.0.0.1:$port/quillon/synced/"
mkdir -p "$XDG_CONFIG_HOME/vdirsyncer" copy
cat >"$XDG_CONFIG_HOME/vdirsyncer/config" <<VDIRSYNCER
[general]
status_path = "$work/vdirsyncer-status/"

[pair up]
a = "quillon"
b = "server"
collections = null

[pair down]
a = "copy"
b = "server"
collections = null

[storage quillon]
type = "filesystem"
path = "$work/vdir"
fileext = ".vcf"

[storage copy]
type = "filesystem"
path = "$work/copy"
fileext = ".vcf"

[storage server]
type = "carddav"
url = "http://127.0.0.1:$port/quillon/synced/"
username = "quillon"
password = "secret"
VDIRSYNCER
{
    vdirsyncer discover up && vdirsyncer discover down && vdirsyncer sync up && vdirsyncer sync down
} </dev/null >vdirsyncer.log 2>&1 || fail "vdirsyncer: $(cat vdirsyncer.log)"
[ "$(find copy -name '*.vcf' | wc -l)" -eq "$rows" ] || fail "vdirsyncer brought $(ls copy | wc -l) cards down"
before=$(md5sum book.info)
imported=$("$quillon" --import-vcard copy book.info)
[ "$imported" = "Added 0 contacts, skipped $rows ($rows duplicates)." ] || fail "import of the synced copy: $imported"
[ "$(md5sum book.info)" = "$before" ] || fail "the import changed the book"
again=$("$quillon" --export-vdir vdir book.info)
[ "$again" = "Wrote 0 cards to \"vdir\", $rows unchanged." ] || fail "export after the sync: $again"

step "a card made on a phone comes down, into the book, and does not go back up a second time"
$py check.py phone_card "http://127.0.0.1:$port/quillon/synced/"
vdirsyncer sync up </dev/null >>vdirsyncer.log 2>&1 || fail "vdirsyncer: $(cat vdirsyncer.log)"
imported=$("$quillon" --import-vcard vdir book.info)
[ "$imported" = "Added 1 contact, skipped $rows ($rows duplicates)." ] || fail "import of the phone's card: $imported"
again=$("$quillon" --export-vdir vdir book.info)
[ "$again" = "Wrote 0 cards to \"vdir\", $rows unchanged, 1 there already as another program wrote them." ] ||
    fail "export after the phone's card: $again"
grep -q "1 Main St" vdir/phone-1.vcf || fail "the phone's card lost its address"
{ vdirsyncer sync up && vdirsyncer sync down; } </dev/null >>vdirsyncer.log 2>&1 || fail "vdirsyncer: $(cat vdirsyncer.log)"
[ "$(find copy -name '*.vcf' | wc -l)" -eq $((rows + 1)) ] || fail "the server holds $(ls copy | wc -l) cards"

step "python3-icalendar reads the birthdays, which fall on the right days in 2027 and 2028"
$py check.py ics birthdays.ics || status=1

[ "$status" -eq 0 ] && echo "all interoperability checks passed"
exit "$status"

"""Program folders for the black-box runs: sounds generated with sox, a set file and an options
file written the way the program writes them (INI, CR LF)."""
import os
import subprocess


HIGH_BEEP_HZ = 10000


def tone(path, seconds, freq=1000, volume=0.5, rate=44100, channels=2):
    subprocess.run(["sox", "-n", "-r", str(rate), "-c", str(channels), "-b", "16", path, "synth", str(seconds),
                    "sine", str(freq), "vol", str(volume)], check=True, timeout=60,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return path


def slot_color(slot):
    """A custom panel colour of its own for each slot (as $00BBGGRR), found again on screenshots."""
    r, g, b = 30 + 4 * slot, 170, 90
    return "$00%02X%02X%02X" % (b, g, r), (r, g, b)


def write_ini(path, sections):
    lines = []
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines.extend("%s=%s" % (k, v) for k, v in keys)
        lines.append("")
    with open(path, "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def page_section(group, page, name, cells, play="F"):
    # The set file names group D's pages "PageQ".
    section = ["Page", "PageB", "PageC", "PageQ", "PageE", "PageF", "PageG", "PageH", "PageI", "PageJ"][group - 1]
    section += str(page)
    keys = [("PageName", name), ("PagePlay", play), ("RapidFire", "F"), ("PageShuffle", "F"),
            ("PageColor", "clBlack")]
    for n, cell in sorted(cells.items()):
        keys.append(("c%d" % n, cell["caption"]))
        if cell.get("file"):
            keys.append(("s%d" % n, cell["file"]))
        keys.append(("t%d" % n, cell.get("time", "00:01")))
        for key, field in (("h", "hotkey"), ("co", "color"), ("v", "volume"), ("L", "loop"), ("ci", "cue")):
            if cell.get(field):
                keys.append(("%s%d" % (key, n), cell[field]))
    return (section, keys)


def options(path, **values):
    keys = {"Tracer": "YES", "LogFile": "NO", "IndividualVolume": "100", "Volume": "100", "Delay": "0",
            "FadeOutSec": "2", "FadeInSec": "2", "SpaceBarStop": "NO", "PlayStop": "PLAY", "AutoOpen": " ",
            "HKSetByUser": "YES", "ResetAll": "NO"}
    keys.update({k: str(v) for k, v in values.items()})
    write_ini(path, [("Main", list(keys.items()))])


def test_board(home):
    """Group A: page 1 with eight short beeps (slot 1 on hot key Q, slot 2 with a volume and hot key Z,
    slot 4 at 10 kHz, slot 5 looped), slot 9 a 20 s tone, slot 10 a 6 s tone, slot 11 a missing file;
    pages 2 and 18 named. Group B page 1 with one sound on hot key W."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    beep = tone(os.path.join(sounds, "beep.wav"), 0.4)
    long_tone = tone(os.path.join(sounds, "long.wav"), 20)
    mid_tone = tone(os.path.join(sounds, "mid.wav"), 6)
    high_beep = tone(os.path.join(sounds, "high.wav"), 0.4, freq=HIGH_BEEP_HZ)
    cells = {}
    for n in range(1, 9):
        cells[n] = {"caption": "Beep %d" % n, "file": high_beep if n == 4 else beep, "color": slot_color(n)[0]}
    cells[1]["hotkey"] = "0Q"
    cells[2].update({"volume": "90", "hotkey": "0Z"})
    cells[5]["loop"] = "L"
    cells[9] = {"caption": "Long", "file": long_tone, "time": "00:20", "color": slot_color(9)[0]}
    cells[10] = {"caption": "Mid", "file": mid_tone, "time": "00:06", "color": slot_color(10)[0]}
    cells[11] = {"caption": "Gone", "file": os.path.join(sounds, "gone.wav"), "color": slot_color(11)[0]}
    sections = [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]),
                page_section(1, 1, "Beeps", cells),
                page_section(1, 2, "Second", {1: {"caption": "Beep", "file": beep}}),
                page_section(1, 18, "Last", {1: {"caption": "Beep", "file": beep}}),
                page_section(2, 1, "Bees", {1: {"caption": "Bee", "file": beep, "hotkey": "0W"}})]
    set_path = os.path.join(home, "Test.set")
    write_ini(set_path, sections)
    return set_path


def demo_board(home):
    """The demo board the start script opens on a first start."""
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "demo-board.sh")
    out = subprocess.run(["bash", script, home], check=True, timeout=120, stdout=subprocess.PIPE, text=True)
    return out.stdout.strip().splitlines()[-1]


def full_board(home, odd_files=None):
    """A board filled as a venue fills one: groups A and B with 18 pages of 48 sounds each, the
    other groups with one page; short and long generated sounds, some looped, some on hot keys,
    slots 1 and 48 of A/1 in colours of their own so the grid can be found on the screen.
    odd_files ({slot: path}) puts other files on slots of A/1."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    files = [tone(os.path.join(sounds, "s%d.wav" % i), seconds, freq)
             for i, (seconds, freq) in enumerate([(0.3, 880), (0.8, 660), (1.5, 440), (3, 550), (8, 330)])]
    keys = "QWERTYUIOASDFGHJKLZXCVBNM"
    sections = [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")])]
    for group in range(1, 11):
        for page in range(1, 19 if group <= 2 else 2):
            cells = {}
            for n in range(1, 49):
                index = (group * 7 + page * 3 + n) % len(files)
                cell = {"caption": "S%d-%d-%d" % (group, page, n), "file": files[index],
                        "time": "00:0%d" % max(1, [0, 1, 2, 3, 8][index])}
                if n % 11 == 0:
                    cell["loop"] = "L"
                if n % 7 == 0:
                    cell["volume"] = "70"
                if page == 1 and n <= len(keys) and group == 1:
                    cell["hotkey"] = "0" + keys[n - 1]
                cells[n] = cell
            if group == 1 and page == 1:
                for n, path in (odd_files or {}).items():
                    cells[n]["file"] = path
                cells[1]["color"] = slot_color(1)[0]
                cells[48]["color"] = slot_color(48)[0]
            sections.append(page_section(group, page, "Page %s%d" % ("ABCDEFGHIJ"[group - 1], page), cells))
    set_path = os.path.join(home, "Full.set")
    write_ini(set_path, sections)
    return set_path


def page_color(page):
    """A page button colour of its own for each page (as $00BBGGRR), found again on screenshots."""
    r, g, b = 200, 40 + 6 * page, 150
    return "$00%02X%02X%02X" % (b, g, r), (r, g, b)


def drops_board(home):
    """Group A for the drag, drop, menu and clipboard cases: page 1 "Drops" with four sounds of
    different lengths (slots 1, 2, 3 and 9, each in a colour of its own; slot 2 on hot key Z);
    pages 2 "Second", 3 "Third" and 4 "Fourth" with one sound each, and 18 "Last", each page
    button in a colour of its own; pages 5 to 17 blank."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    lengths = {"short": 0.3, "medium": 0.7, "long": 1.2, "nine": 0.5, "second": 0.9, "third": 1.5, "fourth": 0.4}
    files = {name: tone(os.path.join(sounds, name + ".wav"), seconds, 600 + 100 * i)
             for i, (name, seconds) in enumerate(sorted(lengths.items()))}
    cells = {1: {"caption": "Short", "file": files["short"], "color": slot_color(1)[0]},
             2: {"caption": "Medium", "file": files["medium"], "color": slot_color(2)[0], "hotkey": "0Z"},
             3: {"caption": "Long", "file": files["long"], "time": "00:02", "color": slot_color(3)[0]},
             9: {"caption": "Nine", "file": files["nine"], "color": slot_color(9)[0]}}
    sections = [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]),
                page_section(1, 1, "Drops", cells)]
    for page, name in ((2, "Second"), (3, "Third"), (4, "Fourth"), (18, "Last")):
        key = name.lower() if name.lower() in files else "short"
        section, keys = page_section(1, page, name, {1: {"caption": name + " one", "file": files[key]}})
        keys = [(k, page_color(page)[0] if k == "PageColor" else v) for k, v in keys]
        sections.append((section, keys))
    set_path = os.path.join(home, "Drops.set")
    write_ini(set_path, sections)
    return set_path


def segmented_tone(path, parts, freq=1000):
    """One 1 kHz tone made of (seconds, volume) parts in a row, so a recording's level tells
    which part of the file was played."""
    pieces = []
    for i, (seconds, volume) in enumerate(parts):
        pieces.append(tone("%s.part%d.wav" % (path, i), seconds, freq, volume))
    subprocess.run(["sox"] + pieces + [path], check=True, timeout=60, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    for piece in pieces:
        os.remove(piece)
    return path


def editors_board(home):
    """Group A page 1 "Editors": slot 1 a 10 s tone quiet for 2 s, loud for 3 s, quiet for 5 s (the
    cue editor's target), slot 2 a 6 s tone (the volume level's target), slot 48 a beep; slots 1, 2
    and 48 in colours of their own so the whole grid can be found. Page 2 "Second" has one beep;
    page 3 is blank."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    cued = segmented_tone(os.path.join(sounds, "cued.wav"), [(2, 0.2), (3, 0.6), (5, 0.2)])
    level = tone(os.path.join(sounds, "level.wav"), 6)
    beep = tone(os.path.join(sounds, "beep.wav"), 0.4)
    cells = {1: {"caption": "Cued", "file": cued, "time": "00:10", "color": slot_color(1)[0]},
             2: {"caption": "Level", "file": level, "time": "00:06", "color": slot_color(2)[0]},
             48: {"caption": "Beep", "file": beep, "color": slot_color(48)[0]}}
    sections = [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]),
                page_section(1, 1, "Editors", cells),
                page_section(1, 2, "Second", {1: {"caption": "Beep", "file": beep}})]
    set_path = os.path.join(home, "Editors.set")
    write_ini(set_path, sections)
    return set_path


def timed_board(home):
    """Group A page 1 "Timed" in play-list mode (where the sound menu offers Timed Start) with one
    1.5 s tone in slot 1, in a colour of its own."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    timed = tone(os.path.join(sounds, "timed.wav"), 1.5)
    cells = {1: {"caption": "Timed", "file": timed, "time": "00:02", "color": slot_color(1)[0]}}
    sections = [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]),
                page_section(1, 1, "Timed", cells, play="T")]
    set_path = os.path.join(home, "Timed.set")
    write_ini(set_path, sections)
    return set_path


def tools_board(home):
    """The test board and two more named pages, each with one sound found nowhere else: group B
    page 3 "Anthems" with "Anthem" (1.0 s at 660 Hz, slot 5) and group C page 2 "Fanfares" with
    "Fanfare" (0.6 s at 550 Hz, slot 7, the board's last sound in group/page order)."""
    set_path = test_board(home)
    sounds = os.path.join(home, "sounds")
    anthem = tone(os.path.join(sounds, "anthem.wav"), 1.0, 660)
    fanfare = tone(os.path.join(sounds, "fanfare.wav"), 0.6, 550)
    sections = [page_section(2, 3, "Anthems", {5: {"caption": "Anthem", "file": anthem}}),
                page_section(3, 2, "Fanfares", {7: {"caption": "Fanfare", "file": fanfare}})]
    extra = os.path.join(home, "extra.ini")
    write_ini(extra, sections)
    with open(extra, newline="") as f, open(set_path, "a", newline="") as out:
        out.write(f.read())
    os.remove(extra)
    return set_path


def desktop_board(home):
    """Group A page 1 "Warm & Up": slot 1 a 0.4 s beep on plain K, slot 2 a 1.2 s tone on Ctrl+K,
    slot 3 a 2.0 s tone on Ctrl+F5, so a chord's sound is told by its length; slots 8 and 48 filled;
    each in a colour of its own; page 2 named."""
    sounds = os.path.join(home, "sounds")
    os.makedirs(sounds, exist_ok=True)
    cells = {1: {"caption": "Plain K", "file": tone(os.path.join(sounds, "k.wav"), 0.4), "hotkey": "0K"},
             2: {"caption": "Ctrl K", "file": tone(os.path.join(sounds, "ctrl-k.wav"), 1.2, 700), "hotkey": "2K"},
             3: {"caption": "Ctrl F5", "file": tone(os.path.join(sounds, "ctrl-f5.wav"), 2.0, 800),
                 "time": "00:02", "hotkey": "2F5"}}
    # The last column's first slot and the last slot, to see the board laid out whole.
    for n in (8, 48):
        cells[n] = {"caption": "Corner %d" % n, "file": cells[1]["file"]}
    for n, cell in cells.items():
        cell["color"] = slot_color(n)[0]
    sections = [("Main", [("CreatedBy", "Rallybox"), ("Personalization", "")]),
                page_section(1, 1, "Warm & Up", cells),
                page_section(1, 2, "Second", {1: {"caption": "Beep", "file": cells[1]["file"]}})]
    set_path = os.path.join(home, "Desktop.set")
    write_ini(set_path, sections)
    return set_path

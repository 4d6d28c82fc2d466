#!/usr/bin/python3
"""The browser edition in headless Chromium, served from 127.0.0.1 only.

1. velunar.now(...) gives the fields of `velunar-cli now --json` for the same flags, over a few hundred
   moments (random ones of 1901-2099, the ends of double-hours, China's summer time, fixed zones abroad,
   tz-database zones across their changes, typed offsets) in each of the three time modes; the 开穴表 and
   the reverse lookup give the rows of `schedule --json` and `reverse --json`, clock spans included.
2. At a phone's width (412 px) the page shows every doctrine and the dial, inside the screen.
3. Chromium finds it installable (manifest, icon, service worker), and once loaded it opens and works with
   the server gone (the service worker's files).

    tests/web/browser_test.py --cli build/bin/velunar-cli --site FOLDER
"""
import argparse
import concurrent.futures
import functools
import http.server
import json
import random
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# The flags of `now` and the keys of velunar.now that stand for them: a value, or a switch either way.
VALUE_FLAGS = {"at": "--at", "mode": "--mode", "longitude": "--longitude", "summer": "--summer", "zone": "--zone",
               "tz": "--tz", "ew": "--ew", "lon": "--lon", "eot": "--eot", "sixthStem": "--sixth-stem",
               "renshenSource": "--renshen-source", "age": "--age"}
SWITCH_FLAGS = {"beijing": ("--beijing", "--no-beijing"), "abroad": ("--abroad", "--china"),
                "dstChina": ("--dst-china", "--no-dst-china"), "renshen": (None, "--no-renshen")}

TZ_ZONES = ["Europe/Paris", "America/New_York", "Australia/Sydney", "Asia/Kolkata", "Asia/Tokyo",
            "America/Los_Angeles", "Pacific/Auckland", "America/Sao_Paulo", "Asia/Shanghai", "Africa/Cairo"]
# Readings on the nights the clocks change (skipped, shown twice) and just around them.
TZ_EDGES = [("Europe/Paris", "2026-03-29 02:30:00"), ("Europe/Paris", "2026-10-25 02:30:00"),
            ("Europe/Paris", "2026-10-25T02:30:00+02:00"), ("America/New_York", "2025-03-09 02:15:00"),
            ("America/New_York", "2025-11-02 01:30:00"), ("America/New_York", "2025-11-02T01:30:00-04:00"),
            ("Australia/Sydney", "2026-04-05 02:30:00"), ("Australia/Sydney", "2026-10-04 02:30:00"),
            ("Pacific/Auckland", "2026-09-27 02:45:00"), ("Europe/Paris", "2026-03-29 01:59:59"),
            ("Europe/Paris", "2026-03-29 03:00:00"), ("America/Los_Angeles", "2024-11-03 01:00:00")]


def stamp(rng, first_year, last_year, months=(1, 12)):
    return "%04d-%02d-%02d %02d:%02d:%02d" % (rng.randint(first_year, last_year), rng.randint(*months),
                                              rng.randint(1, 28), rng.randint(0, 23), rng.randint(0, 59),
                                              rng.randint(0, 59))


def moments(labels):
    """The moments and places compared, each once per time mode."""
    rng = random.Random(31)
    found = []
    for _ in range(120):
        case = {"at": stamp(rng, 1901, 2099), "longitude": rng.choice(["116.28", "120", "87.6", "135", "100.25", "73.5"])}
        if rng.random() < 0.15:
            case["eot"] = "astro"
        if rng.random() < 0.15:
            case["sixthStem"] = "己"
        if rng.random() < 0.1:
            case["age"] = str(rng.randint(1, 99))
            case["renshenSource"] = rng.choice(["通行", "医宗金鉴", "针灸大成"])
        if rng.random() < 0.05:
            case["renshen"] = False
        found.append(case)
    # The ends of double-hours: on Beijing time uncorrected they fall on the clock's odd hours.
    for hour in range(0, 24):
        for tail in ("59:59", "00:00"):
            day = "2026-%02d-%02d" % (rng.randint(1, 12), rng.randint(1, 28))
            found.append({"at": f"{day} {hour:02d}:{tail}", "beijing": True})
    for _ in range(12):
        found.append({"at": stamp(rng, 1990, 2040)[:14] + "59:59", "longitude": "120"})
    # China's summer time of 1986-1991, on the clocks of then and as Beijing time.
    for _ in range(30):
        found.append({"at": stamp(rng, 1986, 1991, (4, 9)), "dstChina": rng.random() < 0.7})
    for night in ("1986-05-04 02:30:00", "1986-09-14 01:30:00", "1988-04-10 02:10:00", "1991-09-15 01:20:00"):
        found.append({"at": night, "dstChina": True})
    # Fixed zones abroad, with the summer time typed.
    for _ in range(50):
        found.append({"abroad": True, "at": stamp(rng, 1950, 2060), "zone": rng.choice(labels),
                      "summer": rng.choice(["0", "0", "60", "30"]), "ew": rng.choice(["东经", "西经"]),
                      "lon": str(round(rng.uniform(0, 180), 2))})
    # tz-database zones, from the browser's own zones in the page and the system's in velunar-cli.
    for _ in range(45):
        found.append({"at": stamp(rng, 1996, 2035), "tz": rng.choice(TZ_ZONES), "ew": rng.choice(["东经", "西经"]),
                      "lon": str(round(rng.uniform(0, 180), 3))})
    for zone, at in TZ_EDGES:
        found.append({"at": at, "tz": zone, "lon": "2.35"})
    # Typed offsets on the China page: the instant they name, whatever the clock.
    for _ in range(10):
        found.append({"at": stamp(rng, 1950, 2050).replace(" ", "T") + rng.choice(["+08:00", "+00:00", "-05:00", "+09:30"])})
    return found


def cli_args(case):
    args = []
    for key, value in case.items():
        if key in VALUE_FLAGS:
            args += [VALUE_FLAGS[key], str(value)]
        else:
            flag = SWITCH_FLAGS[key][0 if value else 1]
            if flag:
                args.append(flag)
    return args


def run_cli(cli, db, case):
    done = subprocess.run([cli, "now", "--json", "--db", db] + cli_args(case), capture_output=True, text=True)
    if not done.stdout.strip():
        return {"error": done.stderr.strip()}
    return json.loads(done.stdout)


def serve(folder):
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
    handler.func.log_message = lambda *args: None
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    for a in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--window-size=412,915",
              "--lang=zh-CN", "--no-proxy-server", "--disable-background-networking"):
        options.add_argument(a)
    return webdriver.Chrome(service=Service(shutil.which("chromedriver") or "/usr/bin/chromedriver"), options=options)


def wait_ready(driver, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        if driver.execute_script("return document.body && document.body.dataset.ready === '1'"):
            return
        time.sleep(0.05)
    raise AssertionError("the page did not render: " + str(driver.get_log("browser")[-5:]))


def differences(expected, got, path=""):
    if isinstance(expected, dict) and isinstance(got, dict):
        for key in sorted(set(expected) | set(got)):
            if key not in got or key not in expected:
                yield f"{path}{key}: {'missing' if key not in got else 'extra'}"
            else:
                yield from differences(expected[key], got[key], f"{path}{key}.")
    elif expected != got:
        yield f"{path[:-1]}: velunar-cli {json.dumps(expected, ensure_ascii=False)}, page {json.dumps(got, ensure_ascii=False)}"


def compare(driver, cli, db, labels):
    cases = [dict(case, mode=str(mode)) for case in moments(labels) for mode in (0, 1, 2)]
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        expected = list(pool.map(functools.partial(run_cli, cli, db), cases))
    got = driver.execute_script("""
        return arguments[0].map((o) => {
          try { return velunar.now(o); } catch (e) { return {error: e.message}; }
        });""", cases)
    failures = []
    for case, want, have in zip(cases, expected, got):
        if "error" in want or "error" in have:
            failures.append((case, [f"velunar-cli: {want.get('error')}; page: {have.get('error')}"]))
            continue
        found = list(differences(want, have))
        if found:
            failures.append((case, found))
    for case, found in failures[:8]:
        print("MISMATCH", json.dumps(case, ensure_ascii=False), *found[:6], sep="\n  ")
    print(f"now: {len(cases) - len(failures)} of {len(cases)} moments × modes agree with velunar-cli")
    return not failures


# Ranges and places of the planning calls: China's summer time, a zone's change of clocks, a fixed zone.
PLANS = [
    ({"from": "2026-12-09", "to": "2026-12-15"}, {}),
    ({"from": "1988-04-08", "to": "1988-04-12", "dstChina": True}, {}),
    ({"from": "2026-03-27", "to": "2026-03-30", "tz": "Europe/Paris", "lon": "2.35"}, {}),
    ({"from": "2025-10-31", "to": "2025-11-03", "tz": "America/New_York", "ew": "西经", "lon": "74"}, {}),
    ({"from": "2031-06-01", "to": "2031-06-03", "abroad": True, "zone": "(GMT+05:30) 马德拉斯，加尔各答，孟买，新德里",
      "summer": "0", "lon": "77.2"}, {}),
    ({"from": "1999-12-30", "to": "2000-01-02", "longitude": "87.6", "sixthStem": "己", "eot": "astro"}, {}),
]
POINTS = ["公孙", "临泣", "LR3", "后溪", "shàoshāng"]


def plan_cli(cli, db, command, request):
    args = [cli, command] + ([request["point"]] if "point" in request else []) + [request["from"], request["to"], "--json"]
    rest = {k: v for k, v in request.items() if k not in ("point", "from", "to", "clock", "avoidRenshen")}
    args += cli_args(rest) + (["--clock"] if request.get("clock") else []) + \
        (["--avoid-renshen"] if request.get("avoidRenshen") else []) + ["--db", db]
    done = subprocess.run(args, capture_output=True, text=True)
    if done.returncode != 0:
        return {"error": done.stderr.strip()}
    return [json.loads(line) for line in done.stdout.splitlines() if line.strip()]


def plan_records(command, answer):
    """The page's answer as the records of the command line: one object per row or opening."""
    if "error" in answer:
        return answer
    records = []
    if command == "schedule":
        for row in answer["rows"]:
            record = dict(zip(answer["header"], row["cells"]))
            record.update(zip(answer["codeKeys"], row["codes"]))
            if "start" in row:
                record.update(start=row["start"] or "", end=row["end"] or "")
            records.append(record)
    else:
        for section in answer["sections"]:
            for line in section["lines"]:
                record = {"方法": section["heading"].rstrip("："), "记录": line["line"], "pointCode": answer["pointCode"]}
                if "start" in line:
                    record.update(start=line["start"] or "", end=line["end"] or "")
                records.append(record)
    return records


def compare_plans(driver, cli, db):
    requests = []
    for place, _ in PLANS:
        for mode in (0, 1, 2):
            requests.append(("schedule", dict(place, mode=str(mode), clock=mode != 1, avoidRenshen=mode == 2)))
        for point in POINTS[: 2 if "tz" in place else len(POINTS)]:
            requests.append(("reverse", dict(place, point=point, clock=True, mode="0")))
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        expected = list(pool.map(lambda r: plan_cli(cli, db, *r), requests))
    got = driver.execute_script("""
        return arguments[0].map(([command, o]) => {
          try { return velunar[command](o); } catch (e) { return {error: e.message}; }
        });""", requests)
    failures = 0
    rows = 0
    for (command, request), want, have in zip(requests, expected, got):
        have = plan_records(command, have)
        if want != have:
            failures += 1
            if failures <= 4:
                print("MISMATCH", command, json.dumps(request, ensure_ascii=False))
                if isinstance(want, list) and isinstance(have, list):
                    print(f"  velunar-cli {len(want)} records, page {len(have)}")
                    for a, b in zip(want, have):
                        if a != b:
                            print("  velunar-cli", json.dumps(a, ensure_ascii=False), "\n  page       ", json.dumps(b, ensure_ascii=False))
                            break
                else:
                    print("  velunar-cli", str(want)[:300], "\n  page", str(have)[:300])
        rows += len(want) if isinstance(want, list) else 0
    print(f"schedule and reverse: {len(requests) - failures} of {len(requests)} requests agree ({rows} records)")
    return failures == 0


def check_phone_page(driver):
    problems = driver.execute_script("""
        const width = window.innerWidth, problems = [];
        if (width > 412) problems.push('the window is ' + width + ' px wide');
        const cards = [...document.querySelectorAll('#doctrines article[data-doctrine]')];
        const keys = cards.map((c) => c.dataset.doctrine).join(' ');
        if (keys !== 'nagan buxue nazhi linggui feiteng shigan rigan nazhi2') problems.push('doctrines: ' + keys);
        for (const c of cards) {
          const r = c.getBoundingClientRect();
          if (r.width < 100 || r.left < 0 || r.right > width + 0.5) problems.push(c.dataset.doctrine + ' lies outside the screen');
          if (!c.querySelector('h2').textContent.trim()) problems.push(c.dataset.doctrine + ' has no title');
          if (!c.querySelector('dd') && !c.querySelector('.muted')) problems.push(c.dataset.doctrine + ' shows nothing');
        }
        const svg = document.querySelector('#dial svg');
        if (!svg) problems.push('no dial');
        else {
          const r = svg.getBoundingClientRect();
          if (svg.querySelectorAll('g.sector').length !== 12) problems.push('the dial has no twelve sectors');
          if (svg.querySelectorAll('g.sector.current').length !== 1) problems.push('the dial marks no present double-hour');
          if (r.width < 250 || r.right > width + 0.5) problems.push('the dial is ' + r.width + ' px wide');
        }
        if (document.documentElement.scrollWidth > width + 1) problems.push('the page scrolls sideways: ' + document.documentElement.scrollWidth);
        if (document.querySelectorAll('#schedule tr').length < 13) problems.push('no 开穴表 of the day');
        return problems;""")
    # A picked moment and the reverse lookup, as a user enters them.
    problems += driver.execute_script("""
        const problems = [];
        document.querySelector('input[name=when][value=picked]').click();
        const picked = document.getElementById('picked');
        picked.value = '2026-12-09T10:00:00';
        picked.dispatchEvent(new Event('change'));
        const clock = document.getElementById('clock').textContent;
        if (!clock.includes('2026-12-09 10:00:00') || !clock.includes('乙巳')) problems.push('the picked moment is not shown: ' + clock);
        if (document.querySelector('#doctrines [data-doctrine=linggui] dd.point').textContent !== '外关') problems.push('灵龟八法 of the picked moment');
        document.getElementById('reverse-point').value = '公孙';
        document.getElementById('reverse-from').value = '2026-12-09';
        document.getElementById('reverse-to').value = '2026-12-10';
        document.querySelector('#reverse-form button').click();
        const lines = [...document.querySelectorAll('#reverse li')].map((li) => li.textContent);
        if (!lines.includes('2026-12-09丑时，灵龟穴位=公孙')) problems.push('the reverse lookup shows: ' + lines.slice(0, 3).join(' / '));
        // In English the 人神 warnings are English sentences, as the desktop says them.
        picked.value = '2026-02-10T04:30:00';
        picked.dispatchEvent(new Event('change'));
        const started = document.documentElement.lang === 'en' ? 'en' : 'zh';
        const saidIn = (lang) => {
          if ((document.documentElement.lang === 'en') !== (lang === 'en')) document.getElementById('language').click();
          return [...document.querySelectorAll('#warnings li')].map((li) => li.textContent);
        };
        const chinese = saidIn('zh'), english = saidIn('en');
        if (!chinese.some((w) => w.startsWith('照海正当人神所在'))) problems.push('the Chinese page warns: ' + chinese.join(' / '));
        if (!english.some((w) => w.startsWith('KI6 Zhàohǎi 照海: the 人神 of lunar day 23') && w.includes('do not needle or moxa'))
            || english.some((w) => w.includes('人神所在'))) problems.push('the English page warns: ' + english.join(' / '));
        saidIn(started);
        return problems;""")
    for p in problems:
        print("PAGE:", p)
    return not problems


def check_offline(driver, server):
    driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        navigator.serviceWorker.ready.then(() => done(true));""")
    errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
    manifest = driver.execute_cdp_cmd("Page.getAppManifest", {})
    for e in errors + manifest.get("errors", []):
        print("INSTALL:", e)
    if errors or manifest.get("errors"):
        return False
    driver.refresh()  # now under the worker's control, with every file in its cache
    wait_ready(driver)
    server.shutdown()
    server.server_close()
    driver.refresh()
    wait_ready(driver)
    shown = driver.execute_script("return document.querySelectorAll('#doctrines article dd').length")
    print(f"offline: the page opened with the server gone and shows {shown} values")
    return shown > 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--site", required=True)
    parser.add_argument("--db", required=True, help="the default database (a copy is used)")
    args = parser.parse_args()
    zones = subprocess.run([args.cli, "zones"], capture_output=True, text=True, check=True).stdout
    labels = [line.split("\t")[2] for line in zones.splitlines() if line.count("\t") == 2]
    with tempfile.TemporaryDirectory() as tmp:
        db = shutil.copy(args.db, tmp)
        server = serve(args.site)
        driver = browser()
        try:
            # A phone's screen: headless windows are no narrower than 500 px.
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                   {"width": 412, "height": 915, "deviceScaleFactor": 2.625, "mobile": True})
            driver.get(f"http://127.0.0.1:{server.server_address[1]}/")
            wait_ready(driver)
            ok = compare(driver, args.cli, db, labels)
            ok = compare_plans(driver, args.cli, db) and ok
            ok = check_phone_page(driver) and ok
            ok = check_offline(driver, server) and ok
        finally:
            driver.quit()
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()

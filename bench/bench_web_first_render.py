#!/usr/bin/python3
"""The browser edition's first render: from navigation to the first moment, doctrines and dial shown, in
headless Chromium at a phone's size, loaded from a server on 127.0.0.1. Each run uses a fresh browser (no
cache, no service worker), so it measures a first visit; the figure is the page's own mark
"velunar-first-render" against navigation start.

    bench/bench_web_first_render.py [--runs 7] [FOLDER]   (FOLDER: what scripts/web printed)
"""
import argparse
import functools
import http.server
import shutil
import statistics
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site", nargs="?", default="build/web/site")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=args.site)
    handler.func.log_message = lambda *a: None
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    figures = []
    for _ in range(args.runs):
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
        for a in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--no-proxy-server"):
            options.add_argument(a)
        driver = webdriver.Chrome(service=Service(shutil.which("chromedriver") or "/usr/bin/chromedriver"),
                                  options=options)
        try:
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                   {"width": 412, "height": 915, "deviceScaleFactor": 2.625, "mobile": True})
            driver.get(f"http://127.0.0.1:{server.server_address[1]}/")
            for _ in range(400):
                mark = driver.execute_script(
                    "const m = performance.getEntriesByName('velunar-first-render'); return m.length ? m[0].startTime : null")
                if mark is not None:
                    figures.append(mark)
                    break
                time.sleep(0.025)
            else:
                raise SystemExit("the page never rendered")
        finally:
            driver.quit()
    figures.sort()
    print(f"first render, {args.runs} fresh loads: min {figures[0]:.0f} ms, median {statistics.median(figures):.0f} ms, "
          f"max {figures[-1]:.0f} ms")


if __name__ == "__main__":
    main()

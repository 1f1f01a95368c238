#!/usr/bin/env python3
"""Start-up as a user feels it: from the process started to the start page painted, for
tovalin and for a bare Qt WebEngine window showing the same local page, on the X display
(run under Xvfb by bench/run.sh) and on the offscreen platform; tovalin with a
1 000 000-line blacklist against the same start with an empty one; and, with
--category-index, tovalin whose user's categories are in that index against the same start
without one.

Each run starts the program and waits for its report that the engine has drawn the page
(two animation frames after the load: "startup: start page painted" in tovalin's start-up
marks, "bare: painted" from the bare window); the time is taken then, and the resident
memory of the whole process tree (the engine's helper processes included) at that moment.
Then the program is ended. The runs of a comparison alternate in pairs, each pair in the
other order from the one before (ABBA), so a slow spell of the machine falls on both sides.
Prints one JSON object: per comparison and kind, the median time (s) and memory (MB), and
the median of the pairs' time ratios.
"""
import argparse
import json
import os
import selectors
import shutil
import signal
import statistics
import subprocess
import tempfile
import time


def children_map():
    kids = {}
    for name in os.listdir('/proc'):
        if not name.isdigit():
            continue
        try:
            with open(f'/proc/{name}/stat') as f:
                stat = f.read()
        except OSError:
            continue
        ppid = int(stat.rsplit(')', 1)[1].split()[1])
        kids.setdefault(ppid, []).append(int(name))
    return kids


def rss_kb(pid):
    try:
        with open(f'/proc/{pid}/status') as f:
            for line in f:
                if line.startswith('VmRSS:'):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def tree_rss_mb(pid):
    kids = children_map()
    total, stack = 0, [pid]
    while stack:
        p = stack.pop()
        total += rss_kb(p)
        stack.extend(kids.get(p, []))
    return total / 1024.0


def run_once(cmd, env, marker, timeout=120):
    """Seconds from the start to the marker line on standard error, and the tree's memory then."""
    start = time.monotonic()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            start_new_session=True)
    sel = selectors.DefaultSelector()
    sel.register(proc.stderr, selectors.EVENT_READ)
    buf = b''
    seen_at = None
    try:
        while seen_at is None and time.monotonic() - start < timeout:
            if proc.poll() is not None:
                break
            for _key, _ in sel.select(timeout=0.2):
                buf += os.read(proc.stderr.fileno(), 65536)
                lines = buf.split(b'\n')
                buf = lines.pop()
                if any(marker in line.decode('utf-8', 'replace') for line in lines):
                    seen_at = time.monotonic() - start
                    break
        if seen_at is None:
            raise RuntimeError(f'{cmd[0]} did not report its page painted')
        memory = tree_rss_mb(proc.pid)
    finally:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()
    return seen_at, memory


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        for line in lines:
            f.write(line.encode() + b'\r\n')


def make_data_folder(root, blacklist_lines):
    """A data folder whose start user starts on the folder's own page (the only local page
    the guard shows); returns the folder and the page."""
    data = os.path.join(root, 'data')
    page = os.path.join(data, 'tovalin.htm')
    write(os.path.join(data, 'start.tvr'), ['Piet'])
    write(os.path.join(data, 'gebruikers', 'Piet.usr'),
          ['[Beveiliging]', 'Kindvriendelijk=1', 'Kindonvriendelijk=1', 'Nieteruit=0',
           '[Favorieten]', 'StartURL=file://' + page, 'gebruikfav=Dieren*'])
    write(os.path.join(data, 'themas', 'Dieren.llt'), [])
    write(os.path.join(data, 'themas', 'Dieren.kvu'), ['zoo.example'])
    black = sorted(('http://www.bad-%d.example/section/page-%d.html' % (i, i % 977)
                    for i in range(blacklist_lines)), key=str.lower)
    write(os.path.join(data, 'themas', 'Dieren.kou'), black)
    with open(page, 'w') as f:
        f.write('<html><head><title>Start</title></head><body><h1>Hello</h1>'
                '<p>A local start page.</p></body></html>\n')
    return data, page


def compare(kinds, pairs):
    """Runs the kinds (name -> run function) in alternating order; the first kind is the yardstick."""
    names = list(kinds)
    results = {k: {'times': [], 'memories': []} for k in names}
    for i in range(pairs):
        for name in (names if i % 2 == 0 else list(reversed(names))):
            t, m = kinds[name]()
            results[name]['times'].append(t)
            results[name]['memories'].append(m)
    out = {}
    base = names[0]
    for name, v in results.items():
        out[name] = {'time_s': statistics.median(v['times']), 'memory_mb': statistics.median(v['memories']),
                     'times': v['times'], 'memories': v['memories']}
        if name != base:
            ratios = [t / b for t, b in zip(v['times'], results[base]['times'])]
            out[name]['ratio'] = statistics.median(ratios)
            out[name]['ratios'] = ratios
    return out


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--bin', required=True, help='folder of tovalin')
    ap.add_argument('--bare', required=True, help='the bare_webengine program')
    ap.add_argument('--pairs', type=int, default=9)
    ap.add_argument('--category-index', help='a category index (bench_categories --write-index)')
    args = ap.parse_args()
    pairs = max(7, args.pairs)

    with tempfile.TemporaryDirectory() as tmp:
        empty_data, page = make_data_folder(os.path.join(tmp, 'empty'), 0)
        big_data, _ = make_data_folder(os.path.join(tmp, 'big'), 1000000)
        url = 'file://' + page  # the bare window shows the same file
        base = dict(os.environ)
        base['QTWEBENGINE_CHROMIUM_FLAGS'] = '--no-sandbox'
        base['QT_LOGGING_RULES'] = 'tovalin.startup.debug=true'

        def env_for(platform, data=None):
            env = dict(base)
            env['QT_QPA_PLATFORM'] = platform
            runtime = tempfile.mkdtemp(dir=tmp)
            os.chmod(runtime, 0o700)
            env['XDG_RUNTIME_DIR'] = runtime
            if data:
                env.update(TOVALIN_DATA_DIR=data, TOVALIN_PROGRAM_DIR=args.bin.rstrip('/') + '/')
            return env

        def bare(platform):
            return lambda: run_once([args.bare, url], env_for(platform), 'bare: painted')

        def tovalin(platform, data):
            return lambda: run_once([os.path.join(args.bin, 'tovalin')], env_for(platform, data),
                                    'startup: start page painted')

        out = {}
        if os.environ.get('DISPLAY'):
            out['xcb'] = compare({'bare': bare('xcb'), 'tovalin': tovalin('xcb', empty_data)}, pairs)
        out['offscreen'] = compare({'bare': bare('offscreen'), 'tovalin': tovalin('offscreen', empty_data)}, pairs)
        # The list's share of the start-up, on the display a child sees where there is one.
        lists_platform = 'xcb' if os.environ.get('DISPLAY') else 'offscreen'
        out['blacklist'] = compare({'empty': tovalin(lists_platform, empty_data),
                                    'tovalin_1m_blacklist': tovalin(lists_platform, big_data)}, pairs)
        out['blacklist']['platform'] = lists_platform
        if args.category_index:
            categories_data, _ = make_data_folder(os.path.join(tmp, 'categories'), 0)
            os.makedirs(os.path.join(categories_data, 'categorieen'))
            shutil.copy(args.category_index, os.path.join(categories_data, 'categorieen', 'lijsten.idx'))
            profile = os.path.join(categories_data, 'gebruikers', 'Piet.usr')
            with open(profile, 'rb') as f:
                text = f.read()
            with open(profile, 'wb') as f:
                f.write(text.replace(b'[Beveiliging]\r\n', b'[Beveiliging]\r\nCategorieen=adult,mixed_adult,lingerie,'
                                     b'dating,gambling,drogue,agressif,malware,phishing,redirector,vpn,doh\r\n', 1))
            out['categories'] = compare({'empty': tovalin(lists_platform, empty_data),
                                         'tovalin_categories': tovalin(lists_platform, categories_data)}, pairs)
            out['categories']['platform'] = lists_platform
        out['pairs'] = pairs
        print(json.dumps(out))


if __name__ == '__main__':
    main()

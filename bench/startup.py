#!/usr/bin/env python3
"""Start-up of tovalin to its start page, against a bare Qt WebEngine window loading the
same local page, and tovalin with a 1 000 000-line blacklist against an empty one; with
--category-index, also tovalin with that category index in force for its user.

Each run starts the program, waits until the page has loaded (the time is taken then),
lets it settle for a second and sums the resident memory of the whole process tree
(the engine's helper processes included), then ends it. The kinds of run alternate.
Prints one JSON object: per kind, the median time (s) and median memory (MB).
"""
import argparse
import json
import os
import selectors
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
    start = time.monotonic()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            start_new_session=True)
    sel = selectors.DefaultSelector()
    sel.register(proc.stderr, selectors.EVENT_READ)
    buf = b''
    loaded_at = None
    try:
        while loaded_at is None and time.monotonic() - start < timeout:
            if proc.poll() is not None:
                break
            for _key, _ in sel.select(timeout=0.2):
                chunk = os.read(proc.stderr.fileno(), 65536)
                buf += chunk
                for line in buf.split(b'\n'):
                    if marker(line.decode('utf-8', 'replace')):
                        loaded_at = time.monotonic() - start
                        break
                buf = buf[buf.rfind(b'\n') + 1:]
        if loaded_at is None:
            raise RuntimeError(f'{cmd[0]} did not report its page loaded')
        # Keep the pipe drained while the process settles.
        settle_end = time.monotonic() + 1.0
        while time.monotonic() < settle_end:
            for _key, _ in sel.select(timeout=0.1):
                os.read(proc.stderr.fileno(), 65536)
        memory = tree_rss_mb(proc.pid)
    finally:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()
    return loaded_at, memory


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        for line in lines:
            f.write(line.encode() + b'\r\n')


def make_data_folder(root, blacklist_lines):
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


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--bin', required=True, help='folder of tovalin')
    ap.add_argument('--bare', required=True, help='the bare_webengine program')
    ap.add_argument('--runs', type=int, default=5)
    ap.add_argument('--category-index', help='a category index (bench_categories --write-index)')
    args = ap.parse_args()

    with tempfile.TemporaryDirectory() as tmp:
        empty_data, page = make_data_folder(os.path.join(tmp, 'empty'), 0)
        big_data, _ = make_data_folder(os.path.join(tmp, 'big'), 1000000)
        url = 'file://' + page
        base = dict(os.environ)
        base['QTWEBENGINE_CHROMIUM_FLAGS'] = '--no-sandbox'
        base['QT_LOGGING_RULES'] = 'tovalin.browser.debug=true'

        def tovalin_env(data):
            env = dict(base)
            runtime = tempfile.mkdtemp(dir=tmp)
            os.chmod(runtime, 0o700)
            env.update(TOVALIN_DATA_DIR=data, TOVALIN_PROGRAM_DIR=args.bin.rstrip('/') + '/',
                       XDG_RUNTIME_DIR=runtime)
            return env

        def tovalin_loaded(data):
            start_page = 'file://' + os.path.join(data, 'tovalin.htm')
            return lambda line: 'LoadSucceededStatus' in line and start_page in line

        categories_data = None
        if args.category_index:
            import shutil
            categories_data, _ = make_data_folder(os.path.join(tmp, 'categories'), 0)
            os.makedirs(os.path.join(categories_data, 'categorieen'))
            shutil.copy(args.category_index, os.path.join(categories_data, 'categorieen', 'lijsten.idx'))
            profile = os.path.join(categories_data, 'gebruikers', 'Piet.usr')
            with open(profile, 'rb') as f:
                text = f.read()
            with open(profile, 'wb') as f:
                f.write(text.replace(b'[Beveiliging]\r\n', b'[Beveiliging]\r\nCategorieen=adult,mixed_adult,lingerie,'
                                     b'dating,gambling,drogue,agressif,malware,phishing,redirector,vpn,doh\r\n', 1))
        kinds = {
            'bare': lambda: run_once([args.bare, url], dict(base), lambda l: 'bare: loaded' in l),
            'tovalin': lambda: run_once([os.path.join(args.bin, 'tovalin')], tovalin_env(empty_data),
                                        tovalin_loaded(empty_data)),
            'tovalin_1m_blacklist': lambda: run_once([os.path.join(args.bin, 'tovalin')], tovalin_env(big_data),
                                                     tovalin_loaded(big_data)),
        }
        if categories_data:
            kinds['tovalin_categories'] = lambda: run_once([os.path.join(args.bin, 'tovalin')],
                                                           tovalin_env(categories_data), tovalin_loaded(categories_data))
        results = {k: {'times': [], 'memory': []} for k in kinds}
        for _ in range(args.runs):
            for name, run in kinds.items():
                t, m = run()
                results[name]['times'].append(t)
                results[name]['memory'].append(m)
        out = {k: {'time_s': statistics.median(v['times']), 'memory_mb': statistics.median(v['memory']),
                   'times': v['times'], 'memories': v['memory']} for k, v in results.items()}
        print(json.dumps(out))


if __name__ == '__main__':
    main()

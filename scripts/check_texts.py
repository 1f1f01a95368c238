#!/usr/bin/env python3
"""Fails when a user-visible text of the program has no finished translation.

Runs lupdate over src/ into a copy of every translation in resources/texts/, so a tr()
text added to the code but not yet to a catalogue counts as missing, and then checks
each message: a translation that is present, not marked unfinished, not left over from
a text the code no longer has, and with the same %1..%9 markers as the English text.
It also rejects the two ways a text escapes lupdate: a helper that passes a variable
to QCoreApplication::translate, and a home-made tr() function (use a struct with
Q_DECLARE_TR_FUNCTIONS(Context) instead). The fix for any failure: run
scripts/update_texts.sh and translate what it marks unfinished."""
import glob, os, re, shutil, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
src = os.path.join(root, 'src')
lupdate = os.environ.get('LUPDATE', '/usr/lib/qt6/bin/lupdate')
problems = []

# Texts lupdate cannot see.
variable_translate = re.compile(r'QCoreApplication::translate\(\s*"[^"]*"\s*,\s*(?=[^\s"])(?!QT_TR)')
homemade_tr = re.compile(r'^\s*(?:static\s+)?QString\s+tr\s*\(', re.M)
for path in sorted(glob.glob(os.path.join(src, '**', '*.[ch]*'), recursive=True)):
    text = open(path, encoding='utf-8', errors='replace').read()
    rel = os.path.relpath(path, root)
    for m in variable_translate.finditer(text):
        line = text.count('\n', 0, m.start()) + 1
        problems.append(f'{rel}:{line}: QCoreApplication::translate with a variable text (lupdate cannot see it)')
    for m in homemade_tr.finditer(text):
        line = text.count('\n', 0, m.start()) + 1
        problems.append(f'{rel}:{line}: a home-made tr() (lupdate files its texts under the wrong context)')

markers = re.compile(r'%[1-9]')
catalogues = [p for p in sorted(glob.glob(os.path.join(root, 'resources', 'texts', 'tovalin_*.ts')))
              if not p.endswith('tovalin_en.ts')]
if not catalogues:
    problems.append('no translation in resources/texts/')
with tempfile.TemporaryDirectory() as tmp:
    for ts in catalogues:
        name = os.path.basename(ts)
        lang = name[len('tovalin_'):-len('.ts')]
        copy = os.path.join(tmp, name)
        shutil.copy(ts, copy)
        run = subprocess.run([lupdate, '-silent', '-locations', 'none', '-source-language', 'en',
                              '-target-language', lang, src, '-ts', copy], capture_output=True, text=True)
        if run.returncode != 0:
            problems.append(f'lupdate failed on {name}: {run.stderr.strip()}')
            continue
        for warning in run.stderr.splitlines():
            if 'lacks Q_OBJECT' in warning or 'Cannot invoke tr()' in warning:
                problems.append(f'{name}: lupdate: {warning.strip()}')
        for ctx in ET.parse(copy).getroot().iter('context'):
            cname = ctx.findtext('name')
            for msg in ctx.iter('message'):
                source = msg.findtext('source') or ''
                tr = msg.find('translation')
                kind = tr.get('type')
                forms = [f.text or '' for f in tr.iter('numerusform')] or [tr.text or '']
                where = f'{name}: {cname}: "{source}"'
                if kind == 'vanished' or kind == 'obsolete':
                    problems.append(f'{where}: no longer in the code')
                elif kind == 'unfinished':
                    problems.append(f'{where}: not translated yet' if not any(forms) else f'{where}: marked unfinished')
                elif not all(f.strip() for f in forms) and source.strip():
                    problems.append(f'{where}: empty translation')
                elif any(sorted(set(markers.findall(f))) != sorted(set(markers.findall(source))) for f in forms):
                    problems.append(f'{where}: the translation does not keep the %1..%9 markers')

for p in problems:
    print(p)
if problems:
    print(f'\n{len(problems)} problem(s). Run scripts/update_texts.sh and translate every text it marks unfinished.')
    sys.exit(1)
print(f'every text translated in {len(catalogues)} catalogue(s)')

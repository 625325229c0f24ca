#!/usr/bin/env python3
"""The package's manual pages: one for every program, each rendered by man
without a warning at any width, its NAME line naming the program, and
jlex(1) saying everything `jlex --help` says, in the same order.

    manual.py PACKAGE_ROOT JLEX
"""
import os
import re
import subprocess
import sys

root, jlex = sys.argv[1:]
man1 = os.path.join(root, 'usr/share/man/man1')
env = dict(os.environ, LC_ALL='C.UTF-8', MANPAGER='cat', PAGER='cat')
failures = []


def run(args, width=80):
    return subprocess.run(args, env=dict(env, MANWIDTH=str(width)), capture_output=True, text=True)


def squeezed(text):
    return re.sub(r'[\s：]', '', text)


for program in sorted(os.listdir(os.path.join(root, 'usr/bin'))):
    page = os.path.join(man1, program + '.1.gz')
    if not os.path.exists(page):
        failures.append(f'{program} has no manual page')
        continue
    # As lintian runs it, with every groff warning on, at a narrow, the usual and a wide terminal.
    for width in (60, 80, 132):
        r = run(['man', '--warnings=all', '-E', 'UTF-8', '-l', '-Tutf8', '-Z', page], width)
        if r.returncode or r.stderr:
            failures.append(f'{program}.1 at {width} columns: {r.stderr.strip() or r.returncode}')
    if f'{program} - ' not in run(['lexgrog', page]).stdout:
        failures.append(f'{program}.1 does not name {program} in its NAME line')

manual = squeezed(run(['man', '-l', os.path.join(man1, 'jlex.1.gz')], 1000).stdout)
at = 0
for line in run([jlex, '--help']).stdout.splitlines():
    want = squeezed(line)
    found = manual.find(want, at)
    if found < 0:
        failures.append(f'jlex(1) lacks, or has elsewhere, this line of --help: {line.strip()}')
    else:
        at = found + len(want)

print('\n'.join(failures) or 'every manual page renders cleanly; jlex(1) holds all of --help')
sys.exit(1 if failures else 0)

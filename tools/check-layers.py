#!/usr/bin/env python3
"""Checks that the sources only look down.

Every folder of src/ has a layer; a file may include from its own folder or
from a folder of a lower layer, never from one beside or above it. Within a
folder, no two modules (a .cpp with its .h) include each other, directly or
round a longer circle. The stand-in host includes only its own files and the
host interface headers, never the plug-in's internals.

    check-layers.py [ROOT]     the project at ROOT (default: this checkout)
    check-layers.py --self-test
Exit status 1 with one line per fault, 0 when there is none.
"""
import os, re, sys, tempfile

LAYERS = {
    'platform': 0, 'sdk': 0,   # the platform's record types, the host interface
    'settings': 1,             # records: the Settings record
    'image': 2,                # records: images, views, slots
    'display': 3,              # the display pipeline
    'dialogs': 4, 'output': 4, # what the viewer opens and writes
    'viewer': 5,               # the viewer window
    'host': 6,                 # the plug-in's entry: the only code that knows the whole
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SOURCE = ('.cpp', '.h')


def sources(top):
    for folder, _, files in os.walk(top):
        for name in sorted(files):
            if name.endswith(SOURCE):
                yield os.path.join(folder, name)


def includes(path):
    with open(path, encoding='utf-8', errors='replace') as f:
        return INCLUDE.findall(f.read())


def module(path):
    return os.path.splitext(path)[0]


def check_src(src):
    faults, edges = [], {}
    for path in sources(src):
        rel = os.path.relpath(path, src).replace(os.sep, '/')
        folder = rel.split('/')[0]
        if folder not in LAYERS:
            faults.append(f'{rel}: folder {folder}/ has no layer in tools/check-layers.py')
            continue
        for inc in includes(path):
            if '/' not in inc:
                if folder == 'sdk':
                    continue
                faults.append(f'{rel}: "{inc}" does not name its folder')
                continue
            target = inc.split('/')[0]
            if target not in LAYERS:
                faults.append(f'{rel}: "{inc}" is in no known folder')
            elif target != folder and LAYERS[target] >= LAYERS[folder]:
                where = 'above' if LAYERS[target] > LAYERS[folder] else 'beside'
                faults.append(f'{rel}: "{inc}" points {where} {folder}/')
            else:
                edges.setdefault(module(rel), set()).add(module(inc))
    faults += [f'circle of includes: {" -> ".join(c)}' for c in circles(edges)]
    return faults


def circles(edges):
    """Each circle of the module graph once, as the modules round it."""
    found, state, stack = [], {}, []

    def visit(node):
        state[node] = 'open'
        stack.append(node)
        for nxt in sorted(edges.get(node, ())):
            if nxt == node:
                continue
            if state.get(nxt) == 'open':
                found.append(stack[stack.index(nxt):] + [nxt])
            elif nxt not in state:
                visit(nxt)
        stack.pop()
        state[node] = 'done'

    for node in sorted(edges):
        if node not in state:
            visit(node)
    return found


def check_host(tools, src):
    faults = []
    sdk = set(os.listdir(os.path.join(src, 'sdk'))) if os.path.isdir(os.path.join(src, 'sdk')) else set()
    for path in sources(os.path.join(tools, 'zrhost')):
        rel = os.path.relpath(path, tools).replace(os.sep, '/')
        for inc in includes(path):
            if not (inc.startswith('zrhost/') or inc in sdk):
                faults.append(f'tools/{rel}: "{inc}" is not the host\'s own or a host interface header')
    return faults


def check(root):
    src, tools = os.path.join(root, 'src'), os.path.join(root, 'tools')
    return check_src(src) + (check_host(tools, src) if os.path.isdir(os.path.join(tools, 'zrhost')) else [])


def self_test():
    """The checker finds what it is for in a tree made for it."""
    files = {
        'src/sdk/lwio.h': '',
        'src/settings/settings.h': '#include "sdk/lwio.h"\n',
        'src/image/view.h': '#include "settings/settings.h"\n#include "viewer/viewer.h"\n',
        'src/display/a.cpp': '#include "display/b.h"\n', 'src/display/a.h': '',
        'src/display/b.cpp': '#include "display/c.h"\n', 'src/display/b.h': '',
        'src/display/c.cpp': '#include "display/a.h"\n', 'src/display/c.h': '',
        'src/viewer/viewer.h': '#include "image/view.h"\n#include "output/save.h"\n',
        'src/dialogs/sheet.cpp': '#include "output/save.h"\n',
        'src/output/save.h': '#include "plain.h"\n',
        'tools/zrhost/host.cpp': '#include "lwio.h"\n#include "zrhost/host.h"\n#include "image/view.h"\n',
    }
    expected = [
        'image/view.h: "viewer/viewer.h" points above image/',
        'dialogs/sheet.cpp: "output/save.h" points beside dialogs/',
        'output/save.h: "plain.h" does not name its folder',
        'circle of includes: display/a -> display/b -> display/c -> display/a',
        'tools/zrhost/host.cpp: "image/view.h" is not the host\'s own or a host interface header',
    ]
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
            with open(os.path.join(root, name), 'w') as f:
                f.write(text)
        faults = check(root)
    missing = [e for e in expected if e not in faults]
    extra = [f for f in faults if f not in expected]
    for m in missing:
        print('self-test: not found:', m)
    for x in extra:
        print('self-test: found but not planted:', x)
    return 1 if missing or extra else 0


def main():
    if sys.argv[1:] == ['--self-test']:
        sys.exit(self_test())
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
    faults = check(root)
    for f in faults:
        print(f)
    print(f'layers: {len(faults)} fault(s)' if faults else 'layers: every include looks down, no circles')
    sys.exit(1 if faults else 0)


if __name__ == '__main__':
    main()
